#!/usr/bin/env bash
# What the audit file and the map cost a whole run: the program on a list of
# 30000 records of a benchmark shape, plain, with --audit, with --map and
# with both, one table row each:
# - the bytes of the audit file and the map;
# - minor page faults and peak resident memory (fewest of 5 runs,
#   bench/child_usage);
# - instructions of the whole process (valgrind --tool=callgrind);
# - wall time (mean) and its ratio to the plain run, all four timed in one
#   hyperfine run, so that only the ratios of one shape compare.
#
# Usage: bench/map_cost.sh [build folder [shape]]
#   default: build, "realistic network"; the build folder must hold a
#   Release build. Needs hyperfine and valgrind.
set -euo pipefail

script=map_cost.sh
source "$(dirname "$0")/cost_common.sh"

labels=("plain" "--audit" "--map" "--audit --map")
options=("" "--audit $work/audit.csv" "--map $work/map.geojson" "--audit $work/audit.csv --map $work/map.geojson")
commands=()
for k in "${!labels[@]}"; do
  commands+=("$program ${options[$k]} $work/list.txt $work/kept.txt $work/removed.txt")
done
time_commands "${commands[@]}"

echo "| $shape, 30000 records | audit KiB | map KiB | minor faults | peak MiB | instructions (M) | wall ms | × plain |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
for k in "${!labels[@]}"; do
  rm -f "$work/audit.csv" "$work/map.geojson"
  read -r -a run <<<"${commands[$k]}"
  measure "${run[@]}"
  audit=$(stat -c %s "$work/audit.csv" 2>/dev/null || echo 0)
  map=$(stat -c %s "$work/map.geojson" 2>/dev/null || echo 0)
  awk -F, -v label="${labels[$k]}" -v row=$((k + 2)) -v audit="$audit" -v map="$map" -v faults="$faults" \
      -v peak="$peak" -v ins="$instructions" '
    NR == 2 { plain = $2 } NR == row { mean = $2 }
    END {
      printf "| %s | %.0f | %.0f | %d | %.1f | %.2f | %.2f | %.2f |\n",
             label, audit / 1024, map / 1024, faults, peak / 1024, ins / 1e6, mean * 1000, mean / plain
    }' "$work/times.csv"
done
