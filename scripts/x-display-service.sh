#!/usr/bin/env bash
# Serves the X display to Windows programs under Wine, for what Wine cannot
# do from inside: screenshots of what Direct3D (OpenGL underneath) drew, and
# keys held down as a real keyboard holds them (Wine takes the X server's
# key state again whenever the focus moves, so keys pressed with SendInput
# count as released then).
#   NAME.request   -> NAME.png of the whole display, then NAME.done
#   NAME.xdotool   -> xdotool run with the file's words, then NAME.done
# Runs until it is killed.
#   scripts/x-display-service.sh <folder>
set -u
folder=$1
mkdir -p "$folder"
shopt -s nullglob
while true; do
  for request in "$folder"/*.request; do
    name=${request%.request}
    import -window root "png:$name.png.part" 2>/dev/null && mv -f "$name.png.part" "$name.png"
    mv -f "$request" "$name.done"
  done
  for request in "$folder"/*.xdotool; do
    name=${request%.xdotool}
    # shellcheck disable=SC2046 # the words are xdotool's arguments
    xdotool $(tr -d '\r' <"$request") 2>/dev/null
    mv -f "$request" "$name.done"
  done
  sleep 0.05
done
