#!/usr/bin/env bash
# Plays a training Červené (a menu walked while the computers play), Kvarty and Desítky by keys
# with the real Orca running, walks the score sheet, and checks what it said
# (tests/orca_check.py). Says "SKIPPED:" where Orca cannot run.
#   orca_check.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
ROOT="$1" BUILD="$2"
status=0
for c in p k d z; do
  out="$BUILD/orca-check/$c"
  # Orca, speech and the bus are a chain of processes outside the game; a run that breaks down
  # on their side (the game never heard from, nothing said) is tried once more.
  for attempt in 1 2; do
    rm -rf "$out"; mkdir -p "$out"
    TAMSA_ORCA_NO_INSTALL=1 TAMSA_BUILD_DIR="$BUILD" TAMSA_ORCA_OUT="$out" TAMSA_ORCA_MINUTES=3 \
      timeout -k 10 300 "$ROOT/scripts/orca.sh" "$c" > "$out.txt" 2>&1
    if grep -q "^SKIPPED:" "$out.txt"; then cat "$out.txt"; exit 0; fi
    pkill -f "$out/" 2>/dev/null  # whatever of that run is left: Orca, speech, the bus
    grep -q "Stav po hře" "$out/bus.txt" 2>/dev/null && break
    echo "attempt $attempt of $c: the contract did not reach its standings (kept in $out-$attempt)"
    cat "$out.txt"; tail -n 5 "$out/bus.txt" "$out/session.log" 2>/dev/null
    rm -rf "$out-$attempt"; cp -r "$out" "$out-$attempt"
  done
  [ -f "$out/spoken.txt" ] || sed -n "s/^.*SPEECH OUTPUT: '\([^']*\)'.*\$/\1/p" "$out/orca-debug.log" > "$out/spoken.txt" 2>/dev/null
  [ -f "$out/returns.txt" ] || echo 0 > "$out/returns.txt"
  /usr/bin/python3 "$ROOT/tests/orca_check.py" "$out" "$c" || status=1
done
exit $status
