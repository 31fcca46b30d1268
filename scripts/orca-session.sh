# Inside the session bus of scripts/orca.sh: the window manager, Orca, a listener that shows
# when the game asks for a card, and the game played by keys.
heard() {  # waits up to $2 tenths of a second (default 100) for a line of the listener
  for _ in $(seq "${2:-100}"); do grep -q "$1" "$OUT/bus.txt" && return 0; sleep 0.1; done; return 1
}
lines() { grep -c "$1" "$OUT/bus.txt"; }
# Opens a menu by its key ($1) and takes an item by its access key ($2) until $3 is heard. Under
# Orca an access key that comes before the menu takes the keyboard closes the menu unused, so
# the menu is opened again, each time waiting longer (a busy machine is slower to grab).
choose() {
  local wait before
  for wait in 0.7 1.5 3 5; do
    before=$(lines "menu item")
    xdotool key "$1"
    for _ in $(seq 50); do [ "$(lines "menu item")" -gt "$before" ] && break; sleep 0.1; done
    sleep "$wait"; xdotool key "$2"
    heard "$3" 100 && return 0
    xdotool key Escape; sleep 1
  done
  echo "the menu did not give '$3'"; exit 1  # the run is tried again
}
trap 'kill $GAME $LISTENER $ORCA $WM 2>/dev/null' EXIT
openbox & WM=$!
sleep 1
orca -u "$HOME/orca" --debug-file "$OUT/orca-debug.log" >/dev/null 2>&1 & ORCA=$!
/usr/bin/python3 "$ROOT/scripts/screenreader.py" > "$OUT/bus.txt" & LISTENER=$!
heard listening
sleep 3  # Orca registers its listeners
QT_QPA_PLATFORM=xcb "$BUILD/tamsa" 2>"$OUT/game-stderr.txt" & GAME=$!
heard "window .*Karetní hra Tamsa" || echo "the game's window was not seen"
sleep 1
if [ "$CONTRACT" = m ]; then
  choose alt+h s " filler "  # the first news of the match
elif [ "$CONTRACT" = z ]; then
  # The score sheet, walked by the arrows: a cell to the right, a row down, the places row.
  choose alt+z z "window .*Herní zápis"
  for k in Right Down ctrl+End; do sleep 1.2; xdotool key $k; done
  sleep 1.5
  echo "Stav po hře" >> "$OUT/bus.txt"  # nothing more to do
elif [ "$CONTRACT" = s ]; then
  # The settings, every control by Tab.
  choose alt+h n "window .*Nastavení"
  for _ in $(seq 11); do sleep 0.7; xdotool key Tab; done
  sleep 1; xdotool key Escape; sleep 1
  echo "Stav po hře" >> "$OUT/bus.txt"  # nothing more to play
else
  choose alt+t "$CONTRACT" " filler "  # the contract's first news
fi
# Each time the card is asked for (the prompt with the focused card is on the bus), lay it.
asked=0
deadline=$(( $(date +%s) + ${TAMSA_ORCA_MINUTES:-5} * 60 ))
while [ "$(date +%s)" -lt "$deadline" ]; do
  kill -0 $GAME 2>/dev/null || { echo "the game ended early"; break; }
  grep -q "Stav po hře\|Herní zápis" "$OUT/bus.txt" && break
  n=$(grep -c "Vyneste kartu, " "$OUT/bus.txt")
  if grep -q "window .*Maturita" "$OUT/bus.txt" && [ "$(grep -c 'window .*Maturita' "$OUT/bus.txt")" -gt "${chooser:-0}" ]; then
    chooser=$(grep -c 'window .*Maturita' "$OUT/bus.txt"); sleep 1; xdotool key Down Return
  elif [ "$n" -gt "$asked" ]; then
    asked=$n; sleep 0.8
    # At the second card asked for, Orca's "read status bar" (Insert+KP_Enter twice).
    [ "$asked" = 2 ] && { xdotool key --delay 120 Insert+KP_Enter Insert+KP_Enter; sleep 1.5; }
    xdotool key Right; sleep 0.3; xdotool key Return
    echo "$asked" > "$OUT/returns.txt"
  else
    sleep 0.2
  fi
done
if [ "$CONTRACT" = m ] && grep -q "window .*Herní zápis" "$OUT/bus.txt"; then
  # The sheet the match ends with, on its places row: up through the last rounds, one cell left.
  for k in Up Up Left; do sleep 1.5; xdotool key $k; done
fi
sleep 2; xdotool key Escape; sleep 1
kill $GAME $LISTENER 2>/dev/null
sleep 1
kill $ORCA $WM 2>/dev/null
# Orca writes out its log as it ends; it is given three seconds.
for _ in $(seq 30); do kill -0 $ORCA 2>/dev/null || break; sleep 0.1; done
kill -9 $ORCA 2>/dev/null
