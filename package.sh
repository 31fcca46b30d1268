#!/usr/bin/env bash
# Installs what is missing on Debian 12 and builds the Debian package build-deb/tamsa_<version>_<arch>.deb
# from the install rules, with the compiler and linker flags Debian builds its own packages with.
source "$(dirname "$0")/scripts/common.sh"
install_missing
DEB_BUILD="${TAMSA_DEB_BUILD_DIR:-$ROOT/build-deb}"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Debian keeps the programs of section games in /usr/games.
cmake -S "$ROOT" -B "$DEB_BUILD" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS) -fno-ident" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$DEB_BUILD" -j"$(nproc)" --target tamsa compressed_docs
# The start-up files of the C library still carry the compiler's name; Debian strips it too.
objcopy --remove-section=.comment "$DEB_BUILD/tamsa"
(cd "$DEB_BUILD" && cpack -G DEB)
ls "$DEB_BUILD"/tamsa_*.deb
