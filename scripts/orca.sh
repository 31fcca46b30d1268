#!/usr/bin/env bash
# Runs the real screen reader, Orca, headless while a contract is played with the keyboard
# alone, and prints what Orca said, one utterance a line.
#   scripts/orca.sh [e|p|k|d|m|s|z] Červené (p: with a menu walked by keys while the computers
#                               play), Kvarty or Desítky from "Trénink", a whole match
#                               (Hra → Start; the Maturita chooser answered with Down, Return),
#                               the settings window walked by Tab, or the score sheet by arrows;
#                               in k and d the first card is the hint's (H), in p the last trick
#                               (L) is opened at the third card and the chart (G) at the end
# TAMSA_ORCA_VYSOKA=1 sets the three computers to "vysoká" first, in the settings walked by keys.
# Orca's own log, with everything it did, is kept as orca-debug.log in the folder named by
# TAMSA_ORCA_OUT (a temporary folder by default). Prints "SKIPPED: ..." and exits 0 where
# Orca cannot run.
source "$(dirname "$0")/common.sh"
if [ "${TAMSA_ORCA_NO_INSTALL:-0}" = 0 ]; then
  install_missing openbox xdotool at-spi2-core python3-pyatspi dbus orca speech-dispatcher \
                  speech-dispatcher-espeak-ng espeak-ng
  build "$BUILD" >/dev/null
fi
for tool in orca Xvfb openbox xdotool dbus-run-session speech-dispatcher; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 0; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "SKIPPED: python3-pyatspi is not installed"; exit 0; }

# Orca refuses to start while another Orca of the same user runs: runs wait for each other (the
# lock is this shell's alone, so a helper left running cannot hold it).
exec 9>"${TMPDIR:-/tmp}/tamsa-orca.lock"
flock 9
export CONTRACT="${1:-e}" ROOT BUILD
OUT="${TAMSA_ORCA_OUT:-$(mktemp -d)}"
mkdir -p "$OUT"
export OUT
# A home of its own: Orca's settings, speech-dispatcher's configuration and a sound device that
# swallows everything (without one speech-dispatcher hangs Orca).
export HOME="$OUT/home" XDG_RUNTIME_DIR="$OUT/run" XDG_CONFIG_HOME="$OUT/home/.config"
rm -rf "$HOME" "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_RUNTIME_DIR" "$HOME/orca"
chmod 700 "$XDG_RUNTIME_DIR"
# speech.log: what Orca hands to speech, as it does (Orca's own log is written out only as it exits).
{ cat /etc/speech-dispatcher/speechd.conf; echo 'AudioOutputMethod "alsa"'; echo 'AudioALSADevice "null"'
  echo "CustomLogFile \"protocol\" \"$OUT/speech.log\""; } \
  > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
echo 'pcm.!default { type null }' > "$HOME/.asoundrc"
for n in $(seq 60 99); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break; done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 9>&- &
XVFB=$!
trap 'kill $XVFB 2>/dev/null || true' EXIT
sleep 1
# Into a file, not a pipe: a helper left running must not keep this script waiting.
dbus-run-session -- bash "$ROOT/scripts/orca-session.sh" > "$OUT/session.log" 2>&1 9>&-
grep -v "^dbus-daemon\|^Openbox\|^SpiRegistry" "$OUT/session.log" || true
sed -n "s/^.*SPEECH OUTPUT: '\([^']*\)'.*$/\1/p" "$OUT/orca-debug.log" | grep -v '^$' > "$OUT/spoken.txt" || true
cat "$OUT/spoken.txt"
