# Inside the session bus of scripts/orca.sh: the window manager, Orca, a listener that shows
# when the game asks for a card, and the game played by keys.
heard() {  # waits up to $2 tenths of a second (default 100) for a line of the listener
  for _ in $(seq "${2:-100}"); do grep -q "$1" "$OUT/bus.txt" && return 0; sleep 0.1; done; return 1
}
lines() { grep -c "$1" "$OUT/bus.txt"; }
# Waits up to $3 tenths of a second (default 100) till Orca has handed $2 utterances with $1 to
# speech (a read of the status bar not counted), as a blind player waits to hear the prompt.
said() {
  for _ in $(seq "${3:-100}"); do
    [ "$(grep -a "DATA:|" "$OUT/speech.log" 2>/dev/null | sed 's/<[^>]*>//g' | grep -v "Karty: " |
         grep -c -- "$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}
# Opens a menu by its key ($1), walks down to the item Orca names $2 and takes it with Return,
# until $3 is heard. Each step must be heard on the bus: a menu that closes unused (it may, under
# Orca, while the window manager is still activating the board) is opened again.
last_item() { grep "menu item" "$OUT/bus.txt" | tail -n 1; }
step() {  # presses key $1 and waits for $2 new menu items (default 1) to take the focus in turn
  local want; want=$(( $(lines "menu item") + ${2:-1} ))
  xdotool key "$1"
  for _ in $(seq 30); do [ "$(lines "menu item")" -ge "$want" ] && return 0; sleep 0.1; done
  return 1
}
choose() {
  local try
  for try in $(seq 8); do
    if step "$1" 2; then  # the menu's title, then its first item
      sleep 0.3
      for _ in $(seq 10); do
        last_item | grep -q "menu item    $2\$" && break
        step Down || break
      done
      if last_item | grep -q "menu item    $2\$"; then
        xdotool key Return
        heard "$3" 100 && return 0
      fi
    fi
    xdotool key Escape Escape; sleep "$try"
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
if [ -n "${TAMSA_ORCA_VYSOKA:-}" ]; then
  # The three computers at "vysoká": the settings walked by Tab to each strength, End takes it.
  choose alt+h Nastavení "window .*Nastavení"
  for seat in 1 2 3; do
    for _ in $(seq 14); do grep -q "^focus.*Úroveň počítače $seat" "$OUT/bus.txt" && break; xdotool key Tab; sleep 0.5; done
    xdotool key End; sleep 0.5
  done
  xdotool key Escape; sleep 1
fi
if [ "$CONTRACT" = m ]; then
  choose alt+h Start " filler "  # the first news of the match
elif [ "$CONTRACT" = z ]; then
  # The score sheet, walked by the arrows: a cell to the right, a row down, the places row.
  choose alt+z Zapis "window .*Herní zápis"
  for k in Right Down ctrl+End; do sleep 2; xdotool key $k; done
  sleep 1.5
  echo "Stav po hře" >> "$OUT/bus.txt"  # nothing more to do
elif [ "$CONTRACT" = s ]; then
  # The settings, every control by Tab.
  choose alt+h Nastavení "window .*Nastavení"
  for _ in $(seq 11); do sleep 0.7; xdotool key Tab; done
  sleep 1; xdotool key Escape; sleep 1
  echo "Stav po hře" >> "$OUT/bus.txt"  # nothing more to play
else
  declare -A item=([e]=Červené [p]=Červené [k]=Kvarty [d]=Desítky)
  choose alt+t "${item[$CONTRACT]}" " filler "  # the contract's first news
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
    asked=$n; said "Vyneste kartu, " $n 150; sleep 0.8
    # At the second card asked for, Orca's "read status bar" (Insert+KP_Enter twice).
    [ "$asked" = 2 ] && { xdotool key --delay 120 Insert+KP_Enter Insert+KP_Enter; sleep 1.5; }
    if [ "$asked" = 1 ] && [ "$CONTRACT" != p ]; then
      # The first card asked for is the one the hint gives (H), heard twice (the second time on
      # the card that has the focus already) and laid.
      xdotool key h; said "Radím: " 1 50; sleep 0.8; xdotool key h; said "Radím: " 2 50; sleep 0.8
    else
      xdotool key Right; sleep 0.3
    fi
    xdotool key Return
    echo "$asked" > "$OUT/returns.txt"
    if [ "$CONTRACT" = p ] && [ "$asked" = 3 ]; then
      # The last trick (L), heard as its window opens, and closed with Escape.
      sleep 0.5; xdotool key l; said "Poslední štych: " 1 50; sleep 1; xdotool key Escape
    fi
    if [ "$CONTRACT" = p ] && [ "$asked" = 1 ]; then
      # While the computers play, a menu is walked by keys and left: the news wait till then.
      # (Qt holds each key for Orca and sends it on to the window it was meant for: a second
      # Escape typed before the menu has closed goes to the closed menu, so the two are spaced.)
      for _ in 1 2 3; do
        sleep 0.3
        step alt+z 2 && said Stav 1 && sleep 0.5 && step Down && said Zapis 1 && {
          sleep 0.5; xdotool key Escape; sleep 1; xdotool key Escape; break; }
        xdotool key Escape; sleep 1; xdotool key Escape
      done
    fi
  else
    sleep 0.2
  fi
done
if [ "$CONTRACT" = m ] && grep -q "window .*Herní zápis" "$OUT/bus.txt"; then
  # The sheet the match ends with, on its places row: up through the last rounds, one cell left.
  for k in Up Up Left; do sleep 1.5; xdotool key $k; done
fi
sleep 2; xdotool key Escape; sleep 1
if [ "$CONTRACT" = p ]; then
  # The match as a chart (G): its summary is heard as it opens.
  xdotool key g; said "Průběh zápasu" 1 50; sleep 1; xdotool key Escape; sleep 1
fi
# Orca acts on a signal only when an event wakes it (a key here), and writes the end of its log
# only as it exits: it is stopped while the game still runs and given ten seconds.
kill $ORCA 2>/dev/null; sleep 0.3; xdotool key shift
for _ in $(seq 100); do kill -0 $ORCA 2>/dev/null || break; sleep 0.1; done
kill -9 $ORCA 2>/dev/null
kill $GAME $LISTENER $WM 2>/dev/null
