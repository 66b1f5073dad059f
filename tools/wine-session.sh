# Sourced by tools/test and tools/run: a private X display and a persistent Wine
# server for a prefix inside the build tree, both stopped again on exit.
#   wine_session_start <build-dir> [xvfb]   "xvfb" forces a virtual display
#   wine_session_stop

wine_session_start() {
  local build=$1 want_xvfb=${2:-}
  export WINEPREFIX=$build/wineprefix
  export WINEARCH=win32
  export WINEDEBUG=${WINEDEBUG:--all}
  # No install prompts for .NET or an HTML engine.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  _wine_xvfb_pid=
  if [ -n "$want_xvfb" ] || [ -z "${DISPLAY:-}" ]; then
    local fdfile
    fdfile=$(mktemp)
    # -displayfd lets Xvfb pick a free display itself: several builds can test at once.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    _wine_xvfb_pid=$!
    local i
    for i in $(seq 100); do
      [ -s "$fdfile" ] && break
      sleep 0.1
    done
    [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; rm -f "$fdfile"; return 1; }
    export DISPLAY=:$(head -n1 "$fdfile")
    rm -f "$fdfile"
  fi
  mkdir -p "$WINEPREFIX"
  # The long-lived Wine processes must not inherit our pipes, or whoever reads
  # them (ctest) waits forever.
  wineserver -p </dev/null >/dev/null 2>&1
  # The first Wine command below sets the prefix up; a second wineboot would
  # start a second service manager that stalls every program opening a window.
  # No window manager runs on Xvfb: Wine draws the window frames itself, and
  # showing a window no longer waits for a manager that never answers.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1 || true
  wine_link_fonts
  trap wine_session_stop EXIT
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
