# shellcheck shell=bash
# Sourced by tools/test and tools/run: private X displays and persistent Wine
# servers for prefixes inside the build tree, all stopped again on exit.
#   wine_session_start <build-dir> [xvfb]   one session in this shell; "xvfb"
#                                           forces a virtual display
#   wine_session_stop
#   wine_lanes_start <build-dir> <count>    this shell's session (lane 1) and
#                                           count-1 more, each with a display and
#                                           a prefix of its own, so that test
#                                           programs needing a desktop to
#                                           themselves run side by side; see
#                                           tools/wine-lane
#   wine_lanes_stop

# Sets the Wine environment of a prefix in this shell.
_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH=win32
  export WINEDEBUG=${WINEDEBUG:--all}
  # No install prompts for .NET or an HTML engine.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Starts an Xvfb that picks a free display itself (several builds and lanes can
# test at once); sets DISPLAY and _wine_xvfb_pid.
_wine_start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  _wine_xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; rm -f "$fdfile"; return 1; }
  DISPLAY=:$(head -n1 "$fdfile")
  export DISPLAY
  rm -f "$fdfile"
}

# The persistent server and the prefix's settings, for the environment set.
_wine_open_prefix() {
  local build=$1
  mkdir -p "$WINEPREFIX"
  # The long-lived Wine processes must not inherit our pipes, or whoever reads
  # them (ctest) waits forever.
  wineserver -p </dev/null >/dev/null 2>&1
  # The first Wine command below sets the prefix up; a second wineboot would
  # start a second service manager that stalls every program opening a window.
  # No window manager runs on Xvfb: Wine draws the window frames itself, and
  # showing a window no longer waits for a manager that never answers.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  # A program that crashes ends with its back-trace on standard error instead
  # of waiting on the display for a click in the crash dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    </dev/null >/dev/null 2>&1 || true
  wine_link_fonts
  wine_keep_desktop "$build/win/desktop_keeper.exe"
}

wine_session_start() {
  local build=$1 want_xvfb=${2:-}
  _wine_env "$build/wineprefix"
  _wine_xvfb_pid=
  if [ -n "$want_xvfb" ] || [ -z "${DISPLAY:-}" ]; then
    _wine_start_xvfb || return 1
  fi
  trap wine_session_stop EXIT
  _wine_open_prefix "$build"
}

# Debian's Wine does not find its own fonts (Marlett, Tahoma, the bitmap system
# fonts): captions and menus would draw letters for their symbols. Links in the
# prefix's font folder, made once the prefix exists, let every process load them.
wine_link_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts f
  [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] || return 0
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${f##*/}" ] || ln -s "$f" "$fonts/${f##*/}"
  done
}

# Wine's desktop process takes the standard error of the program that made it
# start, and a test whose output pipe it holds does not end for ctest until the
# desktop goes. The keeper starts the desktop with no output attached and keeps
# it until the server stops (tests/rig/desktop_keeper.cpp).
wine_keep_desktop() {
  local keeper=$1 ready
  [ -f "$keeper" ] || return 0
  ready=$(mktemp -u)
  wine "$keeper" "Z:${ready//\//\\}" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 200); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  [ -e "$ready" ] || echo "the desktop keeper did not start; tests may wait for each other's output" >&2
  rm -f "$ready"
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "${_wine_xvfb_pid:-}" ]; then
    kill "$_wine_xvfb_pid" 2>/dev/null || true
    wait "$_wine_xvfb_pid" 2>/dev/null || true
    _wine_xvfb_pid=
  fi
}

# Lane n's environment goes to <lanes>/n.env for tools/wine-lane (and for
# wine_lanes_stop), and <lanes>/n.ready once it can run programs; the
# programs of a lane that did not start take lane 1's desktop in turn.
wine_lanes_start() {
  local build=$1 count=$2 lane pids=()
  _wine_lanes=$build/win/lanes
  rm -rf "$_wine_lanes"
  mkdir -p "$_wine_lanes"
  wine_session_start "$build" xvfb || return 1
  trap wine_lanes_stop EXIT
  _wine_write_lane 1
  touch "$_wine_lanes/1.ready"
  for lane in $(seq 2 "$count"); do
    (
      trap - EXIT
      _wine_env "$build/wineprefix-lane$lane"
      # Written as soon as there is something to stop.
      _wine_start_xvfb && _wine_write_lane "$lane" && _wine_open_prefix "$build" && touch "$_wine_lanes/$lane.ready"
    ) &
    pids+=($!)
  done
  for lane in "${pids[@]}"; do wait "$lane" || true; done
  for lane in $(seq 1 "$count"); do
    [ -f "$_wine_lanes/$lane.ready" ] || echo "Wine lane $lane did not start" >&2
  done
  export SPAB_WINE_LANES=$_wine_lanes
}

_wine_write_lane() {
  printf 'export WINEPREFIX=%q DISPLAY=%q\n_wine_xvfb_pid=%q\n' "$WINEPREFIX" "$DISPLAY" "$_wine_xvfb_pid" \
    >"$_wine_lanes/$1.env"
}

wine_lanes_stop() {
  local env
  for env in "${_wine_lanes:-/nonexistent}"/*.env; do
    [ -f "$env" ] || continue
    case $env in */1.env) continue ;; esac  # this shell's own session, below
    (
      # shellcheck disable=SC1090
      . "$env"
      wineserver -k </dev/null >/dev/null 2>&1 || true
      kill "$_wine_xvfb_pid" 2>/dev/null || true
    )
  done
  wine_session_stop
}
