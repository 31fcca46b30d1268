#!/usr/bin/env bash
# Plays a training Červené, Kvarty and Desítky by keys with the real Orca running and checks
# what it said (tests/orca_check.py). Says "SKIPPED:" where Orca cannot run.
#   orca_check.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
ROOT="$1" BUILD="$2"
status=0
for c in e k d; do
  out="$BUILD/orca-check/$c"
  rm -rf "$out"; mkdir -p "$out"
  TAMSA_ORCA_NO_INSTALL=1 TAMSA_BUILD_DIR="$BUILD" TAMSA_ORCA_OUT="$out" TAMSA_ORCA_MINUTES=3 \
    timeout 300 "$ROOT/scripts/orca.sh" "$c" > "$out.txt" 2>&1
  if grep -q "^SKIPPED:" "$out.txt"; then cat "$out.txt"; exit 0; fi
  /usr/bin/python3 "$ROOT/tests/orca_check.py" "$out" "$c" || status=1
done
exit $status
