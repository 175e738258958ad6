#!/usr/bin/env bash
# Serves screenshots of the X display to Windows programs under Wine, which
# cannot read what Direct3D (OpenGL underneath) drew: a program writes
# NAME.request into the folder, this takes NAME.png of the whole display and
# renames the request to NAME.done. Runs until it is killed.
#   scripts/x-screenshots.sh <folder>
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
  sleep 0.05
done
