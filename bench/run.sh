#!/usr/bin/env bash
# Builds the benchmark programs and prints the figures as a Markdown table:
# start-up and peak memory beside a minimal Qt window, CPU while waiting, engine speed,
# and resident size over many showings of every window and many contracts.
#
#   bench/run.sh                 (TAMSA_BENCH_REPS=9 start-ups each, TAMSA_BENCH_MATCHES=200)
#   TAMSA_BENCH_PLATFORM=offscreen bench/run.sh   to measure without a display server
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
REPS="${TAMSA_BENCH_REPS:-9}"
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
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# Start-up: launcher timestamp to the first finished paint, alternating the two programs.
"$BENCH" startup "$(date +%s%N)" >/dev/null; "$MINIMAL" startup "$(date +%s%N)" >/dev/null  # warm the caches
T_TAMSA=(); T_MIN=()
for _ in $(seq "$REPS"); do
  T_TAMSA+=("$("$BENCH" startup "$(date +%s%N)")")
  T_MIN+=("$("$MINIMAL" startup "$(date +%s%N)")")
done
ST_TAMSA=$(printf '%s\n' "${T_TAMSA[@]}" | median)
ST_MIN=$(printf '%s\n' "${T_MIN[@]}" | median)

# Peak resident size: after a whole match, beside the minimal window after its first paint.
HWM_TAMSA=$(printf '%s\n' $(for _ in 1 2 3; do "$BENCH" match; done) | median)
HWM_MIN=$(printf '%s\n' $(for _ in 1 2 3; do "$MINIMAL" memory; done) | median)

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
echo "Platform: $PLATFORM; $(nproc) cores; start-up median of $REPS runs."
echo
echo "| measure | Tamsa | minimal Qt window | ratio | goal |"
echo "|---|---|---|---|---|"
echo "| start-up to the first paint of the board | ${ST_TAMSA} ms | ${ST_MIN} ms | $(ratio "$ST_TAMSA" "$ST_MIN") | under 1.3 |"
echo "| peak resident size (VmHWM) after a whole match | $((HWM_TAMSA / 1024)) MiB (${HWM_TAMSA} KiB) | $((HWM_MIN / 1024)) MiB (${HWM_MIN} KiB) | $(ratio "$HWM_TAMSA" "$HWM_MIN") | under 1.3 |"
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
