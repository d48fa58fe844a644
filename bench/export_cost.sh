#!/usr/bin/env bash
# What reading a network's export and writing the kept list cost a whole
# run: 30000 records of a benchmark shape, once as a free-form list and once
# as a ';' export (a header line, eight columns, quoted identifiers, decimal
# commas: make_station_list ... export), each plain and with --kept-list,
# one table row each:
# - minor page faults and peak resident memory (fewest of 5 runs,
#   bench/child_usage);
# - instructions of the whole process (valgrind --tool=callgrind) and their
#   ratio to the free-form list's plain run;
# - wall time (mean) and its ratio to the same, all four timed in one
#   hyperfine run, so that only the ratios compare.
#
# Usage: bench/export_cost.sh [build folder [shape]]
#   default: build, "realistic network"; the build folder must hold a
#   Release build. Needs hyperfine and valgrind.
set -euo pipefail

script=export_cost.sh
source "$(dirname "$0")/cost_common.sh"
"$build/bench/make_station_list" 30000 "$shape" export >"$work/export.csv"

columns="--id codEstacao --agency orgao --lon longitude --lat latitude --prec valorMedida"
labels=("free-form list" "free-form list, --kept-list" "';' export" "';' export, --kept-list")
commands=("$program $work/list.txt $work/kept.txt $work/removed.txt"
          "$program --kept-list $work/kept-list.txt $work/list.txt $work/kept.txt $work/removed.txt"
          "$program $columns $work/export.csv $work/kept.txt $work/removed.txt"
          "$program $columns --kept-list $work/kept-list.csv $work/export.csv $work/kept.txt $work/removed.txt")
time_commands "${commands[@]}"

echo "| $shape, 30000 records | list KiB | minor faults | peak MiB | instructions (M) | × free-form | wall ms | × free-form |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
plain_instructions=
for k in "${!labels[@]}"; do
  read -r -a run <<<"${commands[$k]}"
  measure "${run[@]}"
  plain_instructions=${plain_instructions:-$instructions}
  list=$(stat -c %s "${run[-3]}")
  awk -F, -v label="${labels[$k]}" -v row=$((k + 2)) -v list="$list" -v faults="$faults" -v peak="$peak" \
      -v ins="$instructions" -v plain_ins="$plain_instructions" '
    NR == 2 { plain = $2 } NR == row { mean = $2 }
    END {
      printf "| %s | %.0f | %d | %.1f | %.2f | %.2f | %.2f | %.2f |\n",
             label, list / 1024, faults, peak / 1024, ins / 1e6, ins / plain_ins, mean * 1000, mean / plain
    }' "$work/times.csv"
done
