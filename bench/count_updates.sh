#!/bin/sh
# Instructions per visible update (render pass, copy to the window, one event-loop round,
# present into the backing store) on Qt's offscreen platform, counted by callgrind.
#
# usage: bench/count_updates.sh [BUILD_DIR] [SCENARIO ...]   (scenarios: bar status)
set -e
build=build
if [ -n "$1" ] && [ -d "$1" ]; then build=$1; shift; fi
[ $# -gt 0 ] || set -- bar status
for scenario in "$@"; do
  out=$(mktemp)
  LD_BIND_NOW=1 QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind \
    --toggle-collect='*MeasuredUpdates*' --callgrind-out-file="$out" \
    "$build/bench/present_cost" "$scenario" 20 >/dev/null 2>&1
  total=$(sed -n 's/^summary: //p' "$out")
  rm -f "$out"
  echo "$scenario: $((total / 20)) instructions per update"
done
