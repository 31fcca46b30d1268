#!/usr/bin/env bash
# The computers think on threads: builds the game with ThreadSanitizer (into build-tsan/) and
# plays whole matches with thinking computers in the monkey test, and ends the program in the
# middle of a decision, failing on any report.
#
#   scripts/tsan.sh            (TAMSA_MONKEY_MATCHES=4)
source "$(dirname "$0")/common.sh"
install_missing
TSAN_BUILD="${TAMSA_TSAN_BUILD_DIR:-$ROOT/build-tsan}"
cmake -S "$ROOT" -B "$TSAN_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMSA_SANITIZE_THREAD=ON >/dev/null
cmake --build "$TSAN_BUILD" -j"$(nproc)" --target test_monkey test_konec exit_driver tamsa
# Qt's own libraries are not instrumented; what they do between their threads is theirs.
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:second_deadlock_stack=1:suppressions=$ROOT/scripts/tsan.supp"
export QT_QPA_PLATFORM=offscreen TAMSA_MONKEY_MATCHES="${TAMSA_MONKEY_MATCHES:-4}" TAMSA_MONKEY_STALL_S=60
"$TSAN_BUILD/tests/test_monkey"
"$TSAN_BUILD/tests/test_konec"
