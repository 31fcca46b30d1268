#!/usr/bin/env bash
# Remakes the README's pictures: plays the game under Xvfb (with a window manager, so the
# window frames and the icon show) and saves its windows into docs/.
#   scripts/screenshots.sh [OUTPUT_DIR] [SCALE]
source "$(dirname "$0")/common.sh"
install_missing openbox imagemagick
build "$BUILD"
OUT="${1:-$ROOT/docs}"
SCALE="${2:-1}"
mkdir -p "$OUT"
DISPLAY_NUM=:$((90 + RANDOM % 9))
Xvfb "$DISPLAY_NUM" -screen 0 "$((1280 * SCALE))x$((1024 * SCALE))x24" -nolisten tcp &
XVFB=$!
trap 'kill $WM $XVFB 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$DISPLAY_NUM openbox &
WM=$!
sleep 1
DISPLAY=$DISPLAY_NUM QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$SCALE" "$BUILD/tools/tamsa_screenshots" "$OUT"
# The board with its frame and title bar, as the desktop shows it.
DISPLAY=$DISPLAY_NUM QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$SCALE" "$BUILD/tamsa" &
GAME=$!
sleep 2
DISPLAY=$DISPLAY_NUM import -window root -crop "$((740 * SCALE))x$((650 * SCALE))+$((236 * SCALE))+$((318 * SCALE))" "$OUT/desktop.png"
kill $GAME
echo "pictures in $OUT"
