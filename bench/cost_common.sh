# Sourced by the benchmarks that set one run's options against another's
# (map_cost.sh, export_cost.sh), with their arguments and $script set: takes
# the build folder and the shape, checks for hyperfine and valgrind, and
# writes 30000 records of the shape to $work/list.txt in a work folder
# removed on exit.
build=$(realpath "${1:-build}")
shape=${2:-realistic network}
if ! command -v hyperfine >/dev/null || ! command -v valgrind >/dev/null; then
  echo "$script needs hyperfine and valgrind (Debian packages of those names)" >&2
  exit 1
fi
program="$build/station-dedup"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/make_station_list" 30000 "$shape" >"$work/list.txt"

# time_commands COMMAND...: all of them in one hyperfine run, their means in
# $work/times.csv (row 2 the first), so that only their ratios compare.
time_commands() {
  hyperfine -N --style none --warmup 10 --min-runs 60 --export-csv "$work/times.csv" "$@" >/dev/null 2>&1
}

# measure COMMAND [ARGUMENT...]: sets faults and peak (KiB), the fewest of 5
# runs (child_usage), and the instructions of the whole process (callgrind).
measure() {
  read -r faults peak < <("$build/bench/child_usage" 5 "$@")
  instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
                 sed -n 's/.*Collected : *//p')
}
