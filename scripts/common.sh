# Shared set-up for play.sh and check.sh: install what is missing, then configure and build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${TAMSA_BUILD_DIR:-$ROOT/build}"
ASAN_BUILD="${TAMSA_ASAN_BUILD_DIR:-$ROOT/build-asan}"

# Debian 12 packages the build, the game and its checks need.
PACKAGES=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          fonts-liberation fonts-dejavu-core xvfb xauth desktop-file-utils valgrind file
          dpkg-dev appstream)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j"$(nproc)"
}

# Options for a run of the sanitizer build: stop at the first report of any kind and exit
# non-zero, so the test that caused it fails. Suppressions name third-party libraries only.
sanitizer_env() {
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:exitcode=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=1:suppressions=$ROOT/tests/ubsan.supp"
  export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0:exitcode=1"
}
