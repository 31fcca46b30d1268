#!/usr/bin/env bash
# Installs what is missing on Debian 12, builds Tamsa and starts it.
source "$(dirname "$0")/scripts/common.sh"
install_missing
build "$BUILD"
exec "$BUILD/tamsa"
