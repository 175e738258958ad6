# Sourced by the scripts that run Windows programs here: a virtual X display
# (Xvfb) and a Wine prefix of our own under the build tree, set up so that
# every Wine process runs in one 1280 x 1024 virtual desktop with a taskbar.
#
#   qv_wine_start <build-dir> [prefix]   exports DISPLAY, WINEPREFIX and friends;
#                                        the prefix is <build-dir>/<prefix>
#                                        ("wineprefix" unless given)
#   qv_wine_stop                ends every process started here

qv_wine_start() {
  local build=$1
  export WINEPREFIX="$build/${2:-wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installers
  export WINEARCH=win64

  local display=90
  while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
  export DISPLAY=":$display"
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$build/xvfb.log" 2>&1 &
  QV_XVFB_PID=$!
  local tries=0
  until [[ -e /tmp/.X11-unix/X$display ]]; do
    tries=$((tries + 1))
    if ((tries > 100)); then echo "Xvfb did not start" >&2; return 1; fi
    sleep 0.1
  done

  if [[ ! -f "$WINEPREFIX/.qv-ready" ]]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)"
    # A fresh machine now and then loses the first try (the server still
    # settling after the boot); one more try costs seconds.
    if ! qv_wine_prepare_prefix "$build" && ! qv_wine_prepare_prefix "$build"; then
      echo "The Wine prefix could not be prepared; wineboot said:"
      cat "$build/wineboot.log"
      return 1
    fi
  fi
  # The registry change takes effect for a fresh wineserver.
  wineserver --kill 2>/dev/null || true
  # Fails only if a server still holds the prefix, which then serves instead.
  wineserver --persistent=600 || echo "wineserver: one already serves the prefix"
  # The first program of a fresh server boots Wine's session (its services and
  # the desktop) and waits for that up to five minutes. It is done here,
  # bounded and once more if it sticks, not inside the first test.
  if ! qv_wine_boot_session "$build"; then
    echo "Wine's session did not start in time; the server starts once more"
    wineserver --kill 2>/dev/null || true
    wineserver --persistent=600 || true
    if ! qv_wine_boot_session "$build"; then
      echo "Wine's session did not start; its log and processes:"
      cat "$build/wine-session.log"
      ps -eo pid,etime,args | grep -iE 'wine|\.exe' | grep -v grep
      return 1
    fi
  fi

  # Screenshots of what Direct3D drew, and keys held as a keyboard holds them.
  QV_X_SHOTS="$build/x-screenshots"
  rm -rf "$QV_X_SHOTS"
  "$(dirname "${BASH_SOURCE[0]}")/x-display-service.sh" "$QV_X_SHOTS" &
  QV_X_SCREENSHOTS_PID=$!
  # Wine's drive Z: is the root of the file system.
  export QV_X_SCREENSHOT_DIR="Z:${QV_X_SHOTS//\//\\}"
  return 0
}

# Runs a first, empty program, which waits for the session's boot; fails if
# that takes more than two minutes.
qv_wine_boot_session() {
  local build=$1 started=$SECONDS
  timeout 120 wine cmd.exe /c exit >"$build/wine-session.log" 2>&1 || return 1
  echo "Wine's session started in $((SECONDS - started)) s"
}

# Boots the prefix and sets its virtual desktop; fails if a step fails.
qv_wine_prepare_prefix() {
  local build=$1
  wineboot --init >"$build/wineboot.log" 2>&1 || true
  wineserver --wait
  if ! wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$build/wineboot.log" 2>&1 ||
    ! wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >>"$build/wineboot.log" 2>&1; then
    wineserver --kill 2>/dev/null || true
    return 1
  fi
  wineserver --wait
  touch "$WINEPREFIX/.qv-ready"
}

qv_wine_stop() {
  if [[ -n ${QV_X_SCREENSHOTS_PID:-} ]]; then
    kill "$QV_X_SCREENSHOTS_PID" 2>/dev/null || true
    wait "$QV_X_SCREENSHOTS_PID" 2>/dev/null || true
    QV_X_SCREENSHOTS_PID=
  fi
  if [[ -n ${WINEPREFIX:-} ]]; then
    wineserver --kill 2>/dev/null || true
  fi
  if [[ -n ${QV_XVFB_PID:-} ]]; then
    kill "$QV_XVFB_PID" 2>/dev/null || true
    wait "$QV_XVFB_PID" 2>/dev/null || true
    QV_XVFB_PID=
  fi
}

# Gathers the display's screenshots into a folder.
qv_collect_screenshots() {
  local to=$1
  mkdir -p "$to"
  shopt -s nullglob
  for png in "${QV_X_SHOTS:-/nonexistent}"/*.png; do
    cp -f "$png" "$to/"
  done
  shopt -u nullglob
}
