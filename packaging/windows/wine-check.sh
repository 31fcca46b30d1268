#!/usr/bin/env bash
# Tries the Windows installer as a person would, under Wine on a 1366 x 768 screen with a
# window manager: installs it silently into a new Wine prefix, starts the game from the
# installed place, plays a Červené by keys to its standings (with the last trick and a hint on
# the way), opens the score sheet and the chart, ends the
# game with "Konec" (exit code 0), uninstalls it and checks that nothing is left. Screenshots
# go to the folder named by TAMSA_WINE_OUT (a temporary folder by default).
#
#   packaging/windows/wine-check.sh       after packaging/windows/build.sh
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
WIN_BUILD="${TAMSA_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
INSTALLER=$(ls "$WIN_BUILD"/Tamsa-*-win64.exe | head -n 1)
OUT="${TAMSA_WINE_OUT:-$(mktemp -d)}"
mkdir -p "$OUT"
export WINEPREFIX="$OUT/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
for n in $(seq 70 99); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
trap 'kill $XVFB $WM 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
sleep 1
openbox >/dev/null 2>&1 & WM=$!
fail() { echo "FAILED: $*"; exit 1; }
shot() { import -window root "$OUT/$1.png"; echo "screenshot $OUT/$1.png"; }
window() {  # waits up to $2 seconds for a window whose name matches $1
  for _ in $(seq $(( ${2:-30} * 5 ))); do xdotool search --name "$1" >/dev/null 2>&1 && return 0; sleep 0.2; done
  return 1
}

wineboot -i >/dev/null 2>&1
wine "$INSTALLER" /S '/D=C:\Tamsa'
wineserver -w
APP="$WINEPREFIX/drive_c/Tamsa"
MENU="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tamsa"
[ -f "$APP/Tamsa.exe" ] || fail "not installed"
[ -f "$MENU/Tamsa.lnk" ] || fail "no Start-menu entry"
echo "installed: $(cd "$APP" && find . -type f | sort | tr '\n' ' ')"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamsa' >/dev/null 2>&1 || fail "not in the list of programs"

wine 'C:\Tamsa\Tamsa.exe' 2>"$OUT/game-stderr.txt" & GAME=$!
window "Karetní hra Tamsa" 60 || fail "the board did not open"
sleep 3
shot board
# "Trénink", then "Červené" by its access key; a card laid with Return whenever one is asked
# for, until the standings open.
xdotool key alt+t; sleep 1; xdotool key e; sleep 2
for i in $(seq 60); do
  window "Stav po hře" 1 && break
  xdotool key Right Return
  [ "$i" = 3 ] && shot contract
  if [ "$i" = 4 ]; then  # the last trick (L) and a hint (H) in the middle of the contract
    xdotool key l; window "Poslední štych" 5 && { sleep 1; shot last-trick; xdotool key Escape; sleep 1; }
    xdotool key h; sleep 1; shot hint
  fi
done
window "Stav po hře" 5 || fail "no standings after the contract"
sleep 1; shot standings
xdotool key Escape; sleep 1
xdotool key alt+z; sleep 1; xdotool key z; sleep 2
window "Herní zápis" 10 || fail "the score sheet did not open"
shot sheet
xdotool key Escape; sleep 1
xdotool search --name "Karetní hra Tamsa" windowactivate --sync; sleep 1
xdotool key g; window "Průběh zápasu" 10 || fail "the chart did not open"
sleep 1; shot chart
xdotool key Escape; sleep 1
xdotool search --name "Karetní hra Tamsa" windowactivate --sync; sleep 1
xdotool key alt+h; sleep 1; xdotool key k
wait $GAME && echo "the game ended with exit code 0" || fail "exit code $?"

# The uninstaller runs from a copy of itself, so that it can remove the folder with itself in it.
wine 'C:\Tamsa\Uninstall.exe' /S
wineserver -w
[ ! -e "$APP" ] || fail "left behind: $(ls -A "$APP")"
[ ! -e "$MENU" ] || fail "the Start-menu entry is left"
! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tamsa' >/dev/null 2>&1 || fail "still in the list of programs"
echo "uninstalled: nothing left"
