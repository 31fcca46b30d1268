#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Tamsa and runs the whole test suite.
source "$(dirname "$0")/scripts/common.sh"
install_missing
build "$BUILD"
cd "$BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
