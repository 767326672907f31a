# shellcheck shell=bash
# Sourced by the scripts that run the Windows program under Wine on a virtual
# display (scripts/test-windows-e2e, scripts/test-windows-installer,
# scripts/screenshot-windows). Gives them a Wine prefix of their own, a
# throw-away X display, COM ports mapped to pseudo-terminals, and a clean-up
# that leaves nothing running, pass or fail.
#
#   wine_session_start FOLDER   prefix in FOLDER/wine, display started, DISPLAY set
#   wine_map_ports COM1=/dev/pts/5 COM9=...   read when the Wine server next starts
#   wine_session_background PID   a process to end with the session
#   wine_session_settle   waits (at most two minutes) until the prefix's programs have ended
#   wine_session_screenshot FILE   what the display shows, as a PNG

wine_session_pids=()

wine_session_stop() {
  wineserver --kill 2>/dev/null || true
  local pid
  for pid in "${wine_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${wine_session_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  wine_session_pids=()
}

wine_session_background() { wine_session_pids+=("$@"); }

# Waits until every program in the prefix has ended; after two minutes they
# are ended, and the wait fails, rather than holding up a CI run.
wine_session_settle() {
  if ! timeout 120 wineserver --wait; then
    echo "Programs under Wine still running after two minutes: ended" >&2
    wineserver --kill 2>/dev/null || true
    return 1
  fi
}

wine_session_start() {
  local folder="$1"
  mkdir -p "$folder"
  WINEPREFIX="$(cd "$folder" && pwd)/wine"
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No prompt to fetch Mono or Gecko; no menu entries or file associations
  # made on this machine for what the installer puts into the prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  unset WAYLAND_DISPLAY
  trap wine_session_stop EXIT

  # Xvfb picks a free display number itself and writes it to the given descriptor.
  local number_file="$folder/display-number"
  rm -f "$number_file"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >"$folder/xvfb.log" 2>&1 &
  wine_session_background $!
  local tries=0
  until [ -s "$number_file" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
      echo "Xvfb did not start; its log: $folder/xvfb.log" >&2
      cat "$folder/xvfb.log" >&2
      return 1
    fi
    sleep 0.1
  done
  DISPLAY=":$(tr -d '\n' <"$number_file")"
  export DISPLAY

  # Without 32-bit Wine, making the prefix says it cannot open
  # syswow64\rundll32.exe: harmless.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot --init </dev/null >"$folder/wineboot.log" 2>&1
    wineserver --wait
  fi
}

# Wine takes a COM port's device from HKLM\Software\Wine\Ports when its server
# starts (a link made by hand in dosdevices is replaced by Wine's own), so the
# server is restarted after the values are set.
wine_map_ports() {
  local mapping
  for mapping in "$@"; do
    wine reg add 'HKLM\Software\Wine\Ports' /v "${mapping%%=*}" /d "${mapping#*=}" /f >/dev/null 2>&1
  done
  wineserver --kill 2>/dev/null || true
  wineserver --wait 2>/dev/null || true
}

# Windows sit in the top left corner: what lies right of and below them is cut
# away, first the display's black, then the Wine desktop's background when the
# windows are on one (trimming takes the colour of the first corner, hence the
# turns).
wine_session_screenshot() {
  import -display "$DISPLAY" -window root png:- |
    convert png:- -rotate 180 -trim +repage -fuzz 3% -trim +repage -rotate 180 "$1"
}
