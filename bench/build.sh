# Shared by bench/run.sh and bench/valgrind.sh: builds the benchmark programs beside the
# program, whether or not its top level adds bench/, and sets BENCH and MINIMAL to them.
OUT="${TAMSA_BENCH_BUILD_DIR:-$ROOT/build-bench}/tree"
WRAP="$OUT/../wrapper"
mkdir -p "$WRAP"
cat > "$WRAP/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.22)
project(TamsaBench LANGUAGES CXX)
add_subdirectory("$ROOT" tamsa)
if(NOT TARGET tamsa_bench)
  add_subdirectory("$ROOT/bench" bench)
endif()
CMAKE
cmake -S "$WRAP" -B "$OUT" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$OUT" -j"$(nproc)" --target tamsa_bench bench_minimal >/dev/null
BENCH="$(find "$OUT" -name tamsa_bench -type f -perm -u+x | head -1)"
MINIMAL="$(find "$OUT" -name bench_minimal -type f -perm -u+x | head -1)"

