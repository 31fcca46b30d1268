#!/usr/bin/env bash
# One whole match of the program under valgrind memcheck (offscreen, instant pauses), then
# the definite leaks and the memory errors whose stacks pass through the program's own code.
#
#   bench/valgrind.sh            full log in build-bench/valgrind-match.log
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/bench/build.sh"
LOG="${TAMSA_BENCH_BUILD_DIR:-$ROOT/build-bench}/valgrind-match.log"

QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
  --errors-for-leak-kinds=definite --num-callers=40 --track-origins=yes --log-file="$LOG" \
  "$BENCH" match >/dev/null

# Blocks of the report: a blank line ends each. Keep those with a frame in the program's sources.
own() {
  sed -E 's/^==[0-9]+== ?//' "$LOG" |
    awk -v RS= -v src="$ROOT/src/" -v pat="$1" '$0 ~ pat && index($0, src) {print; print ""}'
}
DEFINITE=$(own "definitely lost in")
ERRORS=$(own "Invalid (read|write|free)|uninitialised|Mismatched free|overlap")
echo "valgrind summary (whole log: $LOG):"
grep -E "definitely lost:|indirectly lost:|possibly lost:|still reachable:|ERROR SUMMARY" "$LOG" | sed 's/^==[0-9]*== */  /'
echo
if [ -z "$DEFINITE$ERRORS" ]; then
  echo "No definite leak and no memory error passes through $ROOT/src."
else
  echo "Reports that pass through $ROOT/src:"
  echo "$DEFINITE"
  echo "$ERRORS"
  exit 1
fi
