#!/usr/bin/env bash
# Plays a training contract with the keyboard alone, as a blind player would, and prints what
# the game tells a screen reader on the desktop's accessibility bus while it is played.
#   scripts/screenreader.sh [k|d|e]     Kvarty, Desítky or (by default) Červené from "Trénink"
source "$(dirname "$0")/common.sh"
install_missing openbox xdotool at-spi2-core python3-pyatspi dbus
build "$BUILD" >/dev/null
export CONTRACT="${1:-e}" HEARD
HEARD="$(mktemp)"
for n in $(seq 80 120); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
export DISPLAY=":$n" ROOT BUILD
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp &
XVFB=$!
trap 'kill $XVFB 2>/dev/null || true; rm -f "$HEARD"' EXIT
sleep 1
# A session bus of its own, and in it the accessibility bus that screen readers listen on.
dbus-run-session -- bash -c '
  heard() { for _ in $(seq 30); do grep -q "$1" "$HEARD" && return 0; sleep 0.1; done; return 1; }
  /usr/libexec/at-spi-bus-launcher --launch-immediately & BUS=$!
  sleep 1
  openbox & WM=$!
  sleep 1
  /usr/bin/python3 "$ROOT/scripts/screenreader.py" > "$HEARD" & LISTENER=$!
  heard listening
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$BUILD/tamsa" 2>/dev/null & GAME=$!
  heard "window .*Karetní hra Tamsa"; sleep 1
  # The menu by its access key, then the contract by its own, once the menu is heard open.
  for _ in 1 2 3; do
    xdotool key alt+t; heard "menu item" && xdotool key "$CONTRACT"
    heard "Vyneste kartu\|Čekejte" && break
    xdotool key Escape; sleep 1
  done
  # Right, Right, then lay the card; again and again until the standings open.
  for _ in $(seq 150); do
    grep -q "Stav po hře" "$HEARD" && break
    xdotool key Right; sleep 0.3; xdotool key Right; sleep 0.3; xdotool key Return; sleep 1.2
  done
  sleep 1; xdotool key Escape; sleep 0.5
  kill $GAME $LISTENER $WM $BUS
' 2>&1 | { grep -v "^dbus-daemon\|^Openbox\|^SpiRegistry" || true; }
cat "$HEARD"
