#!/usr/bin/env bash
# Times the whole program (read, screen, write both files) on a realistic
# list of 30000 stations with hyperfine.
#
# Usage: bench/whole_run.sh [build folder]   (default: build)
# The build folder must hold a Release build of the project (station-dedup
# and bench/make_station_list).
set -euo pipefail

build=$(realpath "${1:-build}")
if ! command -v hyperfine >/dev/null; then
  echo "whole_run.sh needs hyperfine (Debian: apt-get install hyperfine)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_station_list" 30000 >"$work/stations.txt"
"$build/station-dedup" "$work/stations.txt" "$work/kept.txt" "$work/removed.txt" >/dev/null
echo "stations: $(wc -l <"$work/stations.txt"), kept: $(wc -l <"$work/kept.txt"), removed: $(($(wc -l <"$work/removed.txt") - 1))"
hyperfine --warmup 5 --runs 50 -N \
  "$build/station-dedup $work/stations.txt $work/kept.txt $work/removed.txt"
