#!/usr/bin/env bash
# Makes the Windows build of Tamsa on Debian 12: Qt's base modules cross-built for Windows
# x86-64 from Debian's own Qt source (once, into a cache outside the tree), then Tamsa against
# them, its window-free rule tests under Wine, and with CPack an NSIS installer and a portable zip
# in build-windows/.
#
#   packaging/windows/build.sh            # the installer and the zip
#   TAMSA_WINDOWS_CACHE=DIR ...           # where the Qt build is kept (~/.cache/tamsa-windows)
source "$(dirname "$0")/../../scripts/common.sh"

HERE="$ROOT/packaging/windows"
CACHE="${TAMSA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tamsa-windows}"
WIN_BUILD="${TAMSA_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
QT_PREFIX="$CACHE/qt6-mingw-static"

install_missing g++-mingw-w64-x86-64-posix wine wine64 nsis ninja-build dpkg-dev imagemagick

# Debian's source of the installed Qt: a deb-src entry for bookworm is added where none is.
qt_source() {
  local version
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
  QT_SRC="$CACHE/src/qt6-base-${version%%-*}"
  [ -f "$QT_SRC/CMakeLists.txt" ] && return 0
  if ! apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      | $sudo tee /etc/apt/sources.list.d/tamsa-qt-source.sources >/dev/null
    $sudo apt-get update -qq
  fi
  mkdir -p "$CACHE/src"
  (cd "$CACHE/src" && apt-get source -qq "qt6-base=$version")
  local unpacked
  unpacked=$(find "$CACHE/src" -maxdepth 1 -type d -name 'qt6-base-*' ! -path "$QT_SRC" | head -n 1)
  [ "$unpacked" = "$QT_SRC" ] || [ -z "$unpacked" ] || mv "$unpacked" "$QT_SRC"
}

# A static Qt: the game is one program with nothing to deploy beside it, which Tamsa's GPL
# allows with Qt's LGPL since its whole source is public.
build_qt() {
  [ -f "$QT_PREFIX/.complete" ] && { echo "Qt for Windows: reusing $QT_PREFIX"; return 0; }
  qt_source
  local start=$SECONDS
  rm -rf "$CACHE/qt-build"
  # Debian's source has no Wintab header (tablet events off); the Windows platform plugin of this
  # Qt needs OpenGL, which it loads at run time; nothing the game does not use is built.
  cmake -S "$QT_SRC" -B "$CACHE/qt-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$HERE/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" -DBUILD_SHARED_LIBS=OFF \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl_widgets=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_sql_sqlite=OFF -DFEATURE_testlib=ON
  cmake --build "$CACHE/qt-build" -j"$(nproc)"
  cmake --install "$CACHE/qt-build"
  cp -r "$QT_SRC/LICENSES" "$QT_PREFIX/LICENSES"
  touch "$QT_PREFIX/.complete"
  echo "Qt for Windows built in $((SECONDS - start)) s"
}

build_qt

# The program's icon, from the committed pictures of the generator.
mkdir -p "$WIN_BUILD"
convert "$ROOT"/resources/icons/tamsa-{256,128,48}.png \( "$ROOT/resources/icons/tamsa-48.png" -resize 32x32 \) \
        \( "$ROOT/resources/icons/tamsa-48.png" -resize 16x16 \) "$WIN_BUILD/tamsa.ico"

# Tamsa itself, with Qt's own toolchain file, which brings in ours. Debian's host rcc compresses
# with zstd, which this Qt cannot read: the resources are compressed with zlib instead.
cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIX/lib/cmake/Qt6/qt.toolchain.cmake" \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$HERE/mingw-w64.cmake" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_BUILD_TYPE=Release -DTAMSA_QT_LICENSES="$QT_PREFIX/LICENSES" -DTAMSA_ICO="$WIN_BUILD/tamsa.ico" \
      -DCMAKE_AUTORCC_OPTIONS=--no-zstd
cmake --build "$WIN_BUILD" -j"$(nproc)"

# The rule tests that need no window, under Wine.
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$CACHE/wine}"
(cd "$WIN_BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure)

(cd "$WIN_BUILD" && cpack -G "NSIS;ZIP")
ls "$WIN_BUILD"/Tamsa-*.exe "$WIN_BUILD"/Tamsa-*.zip
