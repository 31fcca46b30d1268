#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Tamsa and runs the whole test suite, then
# builds it once more with the sanitizers and runs the suite again under them.
source "$(dirname "$0")/scripts/common.sh"
# The packages of the screen-reader test besides those of the game: Orca and its speech.
install_missing openbox xdotool at-spi2-core python3-pyatspi dbus orca speech-dispatcher \
                speech-dispatcher-espeak-ng espeak-ng
build "$BUILD"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer: any report fails its test.
# TAMSA_CHECK_SANITIZERS=0 skips this part for a quick local run.
if [ "${TAMSA_CHECK_SANITIZERS:-1}" != 0 ]; then
  build "$ASAN_BUILD" -DTAMSA_SANITIZE=ON
  cd "$ASAN_BUILD"
  sanitizer_env
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure
fi
