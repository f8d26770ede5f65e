# Sourced by the scripts that need a display for Wine: start_display picks a free virtual display
# with an XEmbed tray on it unless TOLVA_DISPLAY names one to use; stop_display ends what it started.
started_xvfb=""
started_tray=""
start_display() {
  if [ -n "${TOLVA_DISPLAY:-}" ]; then export DISPLAY=$TOLVA_DISPLAY; return; fi
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # Where the caller has no job control, the display goes in a session of its own: a Ctrl+C meant
  # for the caller would otherwise end it under the programs still on it, before the caller's
  # clean-up stops them. (With job control, a background job has a process group of its own.)
  local group=setsid
  [[ $- == *m* ]] && group=""
  $group Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  started_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  $group trayer --edge bottom --align right --widthtype pixel --width 200 --heighttype pixel --height 24 \
    >/dev/null 2>&1 &
  started_tray=$!
  sleep 0.5
}
stop_display() {
  [ -n "$started_tray" ] && kill "$started_tray" 2>/dev/null
  [ -n "$started_xvfb" ] && kill "$started_xvfb" 2>/dev/null
  wait 2>/dev/null
  return 0
}
