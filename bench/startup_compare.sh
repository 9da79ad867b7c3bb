#!/usr/bin/env bash
# Start-up of the program compared side by side with an empty frameless Qt
# window of the same size: process start to the first painted window, median
# of N runs each, offscreen and under Xvfb. Then the program's wake-ups while
# it sits idle with the device active.
# Usage: bench/startup_compare.sh [runs]   (after: cmake --preset bench && cmake --build --preset bench)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
dist=build/bench/dist
empty=build/bench/bench/empty_window
[ -x "$dist/audio77" ] && [ -x "$empty" ] || { echo "build the bench preset first" >&2; exit 2; }

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Wall time in ms from launch to the first painted window of one run.
one_run() {
  local start paint
  start=$(date +%s%N)
  paint=$("$@" 2>/dev/null | awk '/^first-paint-ns/ {print $2; exit}')
  [ -n "$paint" ] || { echo "no first paint from $*" >&2; return 1; }
  echo $(( (paint - start) / 1000 ))
}

program_run() {
  local state
  state=$(mktemp -d)
  printf '[AudioDeviceService]\nState=running\n' >"$state/services.ini"
  HOME="$state" XDG_RUNTIME_DIR="$state" AUDIO77_PLATFORM=virtual AUDIO77_VIRTUAL_DIR="$state" AUDIO77_REPORT_FIRST_PAINT=1 \
    "$dist/audio77" -servicestart
  rm -rf "$state"
}

compare() {
  local label=$1 a b
  a=$(for _ in $(seq "$runs"); do one_run program_run; done | median)
  b=$(for _ in $(seq "$runs"); do one_run "$empty"; done | median)
  awk -v l="$label" -v a="$a" -v b="$b" \
    'BEGIN {printf "%-10s audio77 %7.1f ms   empty window %7.1f ms   ratio %.2f\n", l, a/1000, b/1000, a/b}'
}

export -f one_run program_run
echo "start to first paint, median of $runs runs"
QT_QPA_PLATFORM=offscreen compare offscreen
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1920x1080x24" bash -c "$(declare -f median one_run program_run compare); runs=$runs dist=$dist empty=$empty compare xvfb"
else
  compare display
fi

# Idle wake-ups: context switches of every thread over 10 quiet seconds.
state=$(mktemp -d)
printf '[AudioDeviceService]\nState=running\n' >"$state/services.ini"
HOME="$state" XDG_RUNTIME_DIR="$state" AUDIO77_PLATFORM=virtual AUDIO77_VIRTUAL_DIR="$state" QT_QPA_PLATFORM=offscreen \
  "$dist/audio77" -servicestart >/dev/null 2>&1 &
pid=$!
sleep 3
switches() { cat /proc/"$pid"/task/*/status | awk '/voluntary_ctxt_switches/ {s += $2} END {print s}'; }
before=$(switches)
sleep 10
after=$(switches)
kill "$pid"; wait "$pid" 2>/dev/null || true
rm -rf "$state"
echo "idle wake-ups over 10 s with the device active: $((after - before))"
