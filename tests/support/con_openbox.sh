#!/bin/sh
# Runs a test program on a virtual screen under the openbox window manager, where lists pop up,
# windows activate and the focus moves as on a desktop, not as on the headless platform.
# Usage: con_openbox.sh program [arguments]
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  openbox --sm-disable >/dev/null 2>&1 &
  # The window manager announces itself on the root window once it runs.
  i=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    i=$((i + 1))
    [ "$i" -gt 200 ] && { echo "openbox did not start" >&2; exit 1; }
    sleep 0.05
  done
  QT_QPA_PLATFORM=xcb "$@"
' sh "$@"
