#!/usr/bin/env bash
# Builds the benchmark programs and prints the figures as a Markdown table:
# start-up and peak memory beside a minimal Qt window, the repaint of a 4K board, CPU while
# waiting, engine speed, and resident size over many showings of every window and many contracts.
#
#   bench/run.sh                 (TAMSA_BENCH_REPS=31 start-up pairs, TAMSA_BENCH_MATCHES=200)
#   TAMSA_BENCH_PLATFORM=offscreen bench/run.sh   to measure without a display server
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
REPS="${TAMSA_BENCH_REPS:-31}"
MATCHES="${TAMSA_BENCH_MATCHES:-200}"
GROWTH="${TAMSA_BENCH_GROWTH:-100}"

source "$ROOT/bench/build.sh"

# A display server of our own, so start-up, memory and waiting are those of a real desktop.
XVFB_PID=""
cleanup() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true; }
trap cleanup EXIT
PLATFORM="${TAMSA_BENCH_PLATFORM:-}"
if [ -z "$PLATFORM" ]; then
  if command -v Xvfb >/dev/null; then
    for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { DISP=":$n"; break; }; done
    Xvfb "$DISP" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISP#:}" ] && break; sleep 0.1; done
    export DISPLAY="$DISP"
    PLATFORM=xcb
  else
    PLATFORM=offscreen
  fi
fi
export QT_QPA_PLATFORM="$PLATFORM"
# The programs' own chatter (runtime directory, raise() on offscreen) goes to a log.
ERRLOG="$OUT/../bench-stderr.log"
exec 3>&2 2>"$ERRLOG"
trap 'echo "bench/run.sh failed at line $LINENO; see $ERRLOG" >&3' ERR

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
# The middle half of a list: its first and third quartiles.
quartiles() { sort -n | awk '{a[NR]=$1} END {printf "%s–%s", a[int((NR+3)/4)], a[int((3*NR+1)/4)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
# Runs two commands REPS times side by side, alternating, and prints the median of each, the
# ratio of the medians and the middle half of the ratios of the pairs.
pairs() {
  local a=() b=() r=()
  eval "$1" >/dev/null; eval "$2" >/dev/null  # warm the caches
  for _ in $(seq "$REPS"); do
    local x y; x=$(eval "$1"); y=$(eval "$2")
    a+=("$x"); b+=("$y"); r+=("$(ratio "$x" "$y")")
  done
  local ma mb; ma=$(printf '%s\n' "${a[@]}" | median); mb=$(printf '%s\n' "${b[@]}" | median)
  echo "$ma $mb $(ratio "$ma" "$mb") $(printf '%s\n' "${r[@]}" | quartiles) $(printf '%s\n' "${a[@]}" | quartiles) $(printf '%s\n' "${b[@]}" | quartiles)"
}

# Start-up: launcher timestamp to the first finished paint, the two programs alternating.
read -r ST_TAMSA ST_MIN ST_RATIO ST_SPREAD ST_QT ST_QM <<<"$(pairs '"$BENCH" startup "$(date +%s%N)"' '"$MINIMAL" startup "$(date +%s%N)"')"
# Peak resident size at the first paint, the same way.
read -r FP_TAMSA FP_MIN FP_RATIO FP_SPREAD _ _ <<<"$(pairs '"$BENCH" memory' '"$MINIMAL" memory')"

# Peak resident size: after a whole match, beside the minimal window after its first paint.
HWM_TAMSA=$(printf '%s\n' $(for _ in 1 2 3; do "$BENCH" match; done) | median)

# A full repaint of the board with a dealt hand and a trick, at 3840 x 2160 (offscreen).
# One run's median moves with the load on the machine: seven runs, the median of their medians
# with the lowest and the highest beside it.
repaints() {
  local meds; meds="$(for _ in 1 2 3 4 5 6 7; do QT_QPA_PLATFORM=offscreen "$BENCH" repaint "$1" "$2" 201 | cut -d' ' -f1; done | sort -g)"
  echo "$(echo "$meds" | median) $(echo "$meds" | head -1) $(echo "$meds" | tail -1)"
}
read -r RP_MED RP_LO RP_HI <<<"$(repaints 3840 2160)"
read -r RPS_MED RPS_LO RPS_HI <<<"$(repaints 725 585)"

# CPU used by a process in a given state over 5 s: utime + stime of /proc/PID/stat (in clock
# ticks), and the nanoseconds on the CPU of all its threads from /proc/PID/task/*/schedstat.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%d", s}'; }
waiting_cpu() {  # args: word the program prints when the state begins, then its arguments
  local word="$1"; shift
  local fifo; fifo="$(mktemp -u)"; mkfifo "$fifo"
  "$BENCH" "$@" >"$fifo" &
  local pid=$!
  local line; read -r line <"$fifo"; rm -f "$fifo"
  [ "$line" = "$word" ] || { kill "$pid"; echo "n/a"; return; }
  sleep 0.5
  local a an; a=$(cpu_ticks "$pid"); an=$(cpu_ns "$pid")
  sleep 5
  local b bn; b=$(cpu_ticks "$pid"); bn=$(cpu_ns "$pid")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  awk -v d=$((b - a)) -v hz="$(getconf CLK_TCK)" -v ns=$((bn - an)) \
    'BEGIN {printf "%.2f %% of one core (%d ms by /proc/PID/stat, %d µs by schedstat)", 100 * d / hz / 5, 1000 * d / hz, ns / 1000}'
}
CPU_HUMAN=$(waiting_cpu waiting wait-human)
CPU_PAUSE=$(waiting_cpu pausing wait-pause 6000)

# Engine speed: whole matches with instant pauses, without a display.
ENGINE=$(QT_QPA_PLATFORM=offscreen "$BENCH" engine "$MATCHES")
ENGINE_HIDDEN=$(QT_QPA_PLATFORM=offscreen "$BENCH" engine-hidden "$MATCHES")
PHASES=$("$BENCH" phases "$(date +%s%N)")

echo
echo "$(date -u +%Y-%m-%d), $(nproc) cores, $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo); platform $PLATFORM."
echo "Start-up and first-paint memory: medians of $REPS runs of each program, alternating; in brackets the middle half."
echo
echo "| measure | Tamsa | minimal Qt window | ratio (middle half of the pairs) | goal |"
echo "|---|---|---|---|---|"
echo "| start-up to the first paint of the board | ${ST_TAMSA} ms (${ST_QT}) | ${ST_MIN} ms (${ST_QM}) | ${ST_RATIO} (${ST_SPREAD}) | at most 1.25 |"
echo "| peak resident size (VmHWM) at the first paint | $((FP_TAMSA / 1024)) MiB (${FP_TAMSA} KiB) | $((FP_MIN / 1024)) MiB (${FP_MIN} KiB) | ${FP_RATIO} (${FP_SPREAD}) | at most 1.2 |"
echo "| peak resident size after a whole match | $((HWM_TAMSA / 1024)) MiB (${HWM_TAMSA} KiB) | | $(ratio "$HWM_TAMSA" "$FP_MIN") | |"
echo "| full repaint of the board at 3840 × 2160 (offscreen; median of 7 runs, lowest–highest) | ${RP_MED} ms (${RP_LO}–${RP_HI}) | | | under 5 ms |"
echo "| full repaint at the starting size, 725 × 585 (the same) | ${RPS_MED} ms (${RPS_LO}–${RPS_HI}) | | | |"
echo "| CPU while waiting 5 s for the human's card | ${CPU_HUMAN} | | | under 1 % |"
echo "| CPU during a 5 s pause between moves | ${CPU_PAUSE} | | | under 1 % |"
echo "| whole matches per second, no pauses, scripted human, board painted (offscreen) | ${ENGINE} | | | |"
echo "| the same with the board hidden (engine alone, nothing painted) | ${ENGINE_HIDDEN} | | | |"
echo
echo "Start-up of the board, one run split: $PHASES."
echo
echo "Resident size while every window is shown and contracts are played again and again (offscreen):"
echo
QT_QPA_PLATFORM=offscreen "$BENCH" growth "$GROWTH" || echo "(resident size grows: see the rows marked GROWS)"
