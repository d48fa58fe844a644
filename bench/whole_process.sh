#!/usr/bin/env bash
# Whole-process benchmark: runs the program (start, read, screen, write both
# files, exit) on lists of 0, 1000 and 30000 records of every benchmark shape
# and prints one table row per list:
# - minor page faults and peak resident memory of the child, from getrusage
#   (fewest of 5 runs, bench/child_usage);
# - instructions of the whole process, from valgrind --tool=callgrind, which
#   counts the same however busy the machine is;
# - wall time (mean of hyperfine runs) and its ratio to /bin/true and to
#   cat LIST, and the ratio to /bin/true of the system floor
#   (bench/system_floor: the same files mapped, written, exchanged and
#   removed, and as much fresh memory touched as the program's peak adds,
#   with none of the program's computation), all timed in the same
#   hyperfine run.
# Instructions repeat exactly from run to run, faults vary by a few; wall
# times vary much more, so compare them only as the ratios of one row.
# A second table runs lists of 100000, 1000000 and 3000000 records of the
# realistic, all-distinct and far-apart shapes with --max-records, each row
# beside the 30000-record list of its shape: instructions per record and
# their ratio to the 30000 list's, peak resident memory against the list's
# size, and wall time (mean of hyperfine runs) against the 30000 list's,
# both timed in the same hyperfine run.
#
# Usage: bench/whole_process.sh [build folder]   (default: build)
# The build folder must hold a Release build of the project. Needs hyperfine
# and valgrind (Debian packages hyperfine and valgrind).
set -euo pipefail

build=$(realpath "${1:-build}")
for tool in hyperfine valgrind; do
  if ! command -v "$tool" >/dev/null; then
    echo "whole_process.sh needs $tool (Debian: apt-get install $tool)" >&2
    exit 1
  fi
done
program="$build/station-dedup"
make_list="$build/bench/make_station_list"
usage="$build/bench/child_usage"
floor="$build/bench/system_floor"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shapes=("realistic network" "one identifier far apart" "all at one place" "all distinct"
        "one identifier, 0.02 disc" "one identifier, 0.2 disc")

instructions() {  # instructions COMMAND [ARGUMENT...]: of the whole process
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null | sed -n 's/.*Collected : *//p'
}

row() {  # row LABEL COUNT LIST
  local label=$1 count=$2 list=$3
  local run=("$program" "$list" "$work/kept.txt" "$work/removed.txt")
  local faults peak instructions floor_peak
  read -r faults peak < <("$usage" 5 "${run[@]}")
  # The floor touches what the program's peak adds to its own.
  # It exchanges files of its own: what it writes is no report, and the
  # program does not replace a file that is not one.
  : >"$work/floor-kept.txt" && : >"$work/floor-removed.txt"
  read -r _ floor_peak < <("$usage" 5 "$floor" "$list" "$work/floor-kept.txt" "$work/floor-removed.txt" 0)
  local floor_run=("$floor" "$list" "$work/floor-kept.txt" "$work/floor-removed.txt"
                   $((peak > floor_peak ? peak - floor_peak : 0)))
  instructions=$(instructions "${run[@]}")
  hyperfine -N --style none --warmup 10 --min-runs 60 --export-csv "$work/times.csv" \
    "/bin/true" "cat $list" "${floor_run[*]}" "${run[*]}" >/dev/null 2>&1
  # Rows of times.csv: header, /bin/true, cat LIST, the floor, the program;
  # mean in seconds.
  awk -F, -v label="$label" -v count="$count" -v faults="$faults" -v peak="$peak" -v ins="$instructions" '
    NR == 2 { t = $2 } NR == 3 { c = $2 } NR == 4 { f = $2 } NR == 5 { p = $2 }
    END {
      printf "| %s | %d | %d | %.1f | %.2f | %.2f | %.1f | %.1f | %.1f |\n",
             label, count, faults, peak / 1024, ins / 1e6, p * 1000, p / t, p / c, f / t
    }' "$work/times.csv"
}

echo "| list | records | minor faults | peak MiB | instructions (M) | wall ms | × /bin/true | × cat LIST | floor × /bin/true |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
: >"$work/empty.txt"
row "empty" 0 "$work/empty.txt"
for count in 1000 30000; do
  for shape in "${shapes[@]}"; do
    "$make_list" "$count" "$shape" >"$work/list.txt"
    row "$shape" "$count" "$work/list.txt"
  done
done

long_row() {  # long_row LABEL COUNT LIST BASE_LIST: BASE_LIST holds 30000 records
  local label=$1 count=$2 list=$3 base_list=$4
  local run=("$program" --max-records "$count" "$list" "$work/kept.txt" "$work/removed.txt")
  local base=("$program" "$base_list" "$work/kept-30000.txt" "$work/removed-30000.txt")
  local peak instructions base_instructions
  read -r _ peak < <("$usage" 3 "${run[@]}")
  instructions=$(instructions "${run[@]}")
  base_instructions=$(instructions "${base[@]}")
  hyperfine -N --style none --warmup 2 --min-runs 10 --export-csv "$work/times.csv" \
    "${base[*]}" "${run[*]}" >/dev/null 2>&1
  # Rows of times.csv: header, the 30000 list, the long one; mean in seconds.
  awk -F, -v label="$label" -v count="$count" -v bytes="$(stat -c %s "$list")" -v peak="$peak" \
      -v ins="$instructions" -v base_ins="$base_instructions" '
    NR == 2 { b = $2 } NR == 3 { p = $2 }
    END {
      printf "| %s | %d | %.1f | %.1f | %.2f | %.0f | %.3f | %.1f | %.1f |\n",
             label, count, bytes / 1048576, peak / 1024, peak * 1024 / bytes, ins / count,
             (ins / count) / (base_ins / 30000), p * 1000, p / b
    }' "$work/times.csv"
}

echo
echo "| list (--max-records) | records | list MiB | peak MiB | peak / list | instructions per record | × the 30000 list's | wall ms | × the 30000 list's |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|---:|"
for shape in "realistic network" "all distinct" "one identifier far apart"; do
  "$make_list" 30000 "$shape" >"$work/base.txt"
  for count in 100000 1000000 3000000; do
    "$make_list" "$count" "$shape" >"$work/list.txt"
    long_row "$shape" "$count" "$work/list.txt" "$work/base.txt"
  done
done
