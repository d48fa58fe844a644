#!/usr/bin/env bash
# Fails every system call the program makes, one occurrence at a time, with
# the errors a real system gives for that call, and checks that each run ends
# in one of the two outcomes the program promises:
#   exit 0: exactly the files and standard output of an undisturbed run; a
#           file the run could not remove may be left, when standard error
#           names it on its one line;
#   exit 2: one diagnostic line on standard error, and the folder exactly as
#           it was before the run (every file byte-identical, same modes,
#           nothing new).
# Anything else (another status, a signal, a changed or stray file) fails.
#
# Four runs are swept: fresh outputs; the kept stations written over the
# list itself, with an audit file; existing outputs replaced, a map too; and
# a network's export read by its columns, its kept list written over it.
# Calls are counted from the first one that names a file of the run, so that
# the start-up of the process itself is not swept.
#
# usage: fault_sweep.sh BINARY STATION_LIST OLDER_STATION_LIST
# Exits 77 (skipped) where strace is missing or cannot trace.
set -u
bin=$(realpath "$1") list=$(realpath "$2") older=$(realpath "$3")

if ! command -v strace > /dev/null; then
  echo "strace is not installed; skipping the fault sweep (apt-get install strace)"
  exit 77
fi
if ! strace -qq -o /dev/null true 2> /dev/null; then
  echo "strace cannot trace here (no ptrace permission); skipping the fault sweep"
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The errors a real system gives for each call, after EIO, which any call
# touching a device may give.
errors_for() {
  case $1 in
    write | pwrite64 | writev | pwritev | pwritev2) echo EIO ENOSPC EINTR ;;
    read | pread64 | readv | close) echo EIO EINTR ;;
    mmap | munmap | mremap | brk | madvise | mprotect) echo EIO ENOMEM ;;
    rename | renameat | renameat2) echo EIO EXDEV EINVAL ;;
    fchmod | fchmodat | chmod | fchown | fchownat | chown | lchown) echo EIO EPERM ;;
    *) echo EIO ;;
  esac
}

# One line per file of a folder: mode, checksum and name, hidden files too.
snapshot() {
  (cd "$1" && find . -type f -printf '%m %P\n' | sort -k2 | while read -r mode name; do
    echo "$mode $(md5sum < "$name" | cut -d' ' -f1) $name"
  done)
}

# setup_SCENARIO FOLDER: the files the folder holds before the run.
# args_SCENARIO: the run's arguments, names relative to the folder.
setup_fresh() { cp "$list" "$1/list.txt"; }
args_fresh() { echo list.txt kept.txt removed.txt; }
setup_in_place() { cp "$list" "$1/list.txt"; }
args_in_place() { echo --audit audit.csv list.txt list.txt removed.txt; }
setup_existing() {
  cp "$older" "$1/older.txt"
  cp "$list" "$1/list.txt"
  (cd "$1" && "$bin" --audit audit.csv --map map.geojson older.txt kept.txt removed.txt > /dev/null) || exit 1
  chmod 640 "$1/kept.txt"
}
args_existing() { echo --audit audit.csv --map map.geojson list.txt kept.txt removed.txt; }
setup_export() {
  printf '%s\r\n' 'Estacao: exemplo' '' 'codigo;nome;lat;lon;chuva' '"A1";Rio;-22,9;-43,2;12,5' \
    '"A1";Rio;-22,9;-43,2;12,5' '"B2";Santos;-23,9;-46,3;0' '"C3";Santos;-23,9;-46,3;0' '"D4";Lins;-21,6;-49,7;3,1' \
    > "$1/export.csv"
}
args_export() {
  echo --id codigo --lon lon --lat lat --prec chuva --kept-list export.csv export.csv kept.txt removed.txt
}

runs=0 failures=0 calls_seen=()
fail() {
  failures=$((failures + 1))
  echo "FAIL [$scenario] $call:$errno:when=$k: $*"
  sed 's/^/    stderr: /' "$dir.err"
}

for scenario in fresh in_place existing export; do
  base="$work/$scenario-base"
  mkdir "$base"
  "setup_$scenario" "$base"
  read -ra args <<< "$("args_$scenario")"
  before=$(snapshot "$base")

  # The undisturbed run and its trace.
  ref="$work/$scenario-ref"
  cp -a "$base" "$ref"
  (cd "$ref" && strace -f -qq -o "$work/$scenario.trace" "$bin" "${args[@]}" > "$work/$scenario.out" 2> "$work/$scenario.err")
  status=$?
  if [ $status -ne 0 ]; then
    echo "the undisturbed $scenario run failed with status $status:"
    cat "$work/$scenario.err"
    exit 1
  fi
  rm -f "$ref/$(basename "$work/$scenario.trace")"
  after=$(snapshot "$ref")

  # Calls by name, in order; the sweep starts at the first naming a file.
  names_pattern='"(\./)?\.?(list|older|kept|removed|audit|map|export)\.(txt|csv|geojson)'
  mapfile -t trace_calls < <(sed -nE 's/^[0-9]+ +([a-z_0-9]+)\(.*/\1/p' "$work/$scenario.trace")
  mapfile -t trace_lines < <(grep -E '^[0-9]+ +[a-z_0-9]+\(' "$work/$scenario.trace")
  start=0
  while [ $start -lt ${#trace_lines[@]} ] &&
    { [ "${trace_calls[$start]}" = execve ] || ! [[ ${trace_lines[$start]} =~ $names_pattern ]]; }; do
    start=$((start + 1))
  done
  declare -A skipped=() swept=()
  for i in "${!trace_calls[@]}"; do
    c=${trace_calls[$i]}
    case $c in exit_group | umask) continue ;; esac  # neither can fail
    if [ "$i" -lt $start ]; then
      skipped[$c]=$((${skipped[$c]:-0} + 1))
    else
      swept[$c]=$((${swept[$c]:-0} + 1))
    fi
  done

  for call in "${!swept[@]}"; do
    calls_seen+=("$call")
    for ((j = 1; j <= ${swept[$call]}; j++)); do
      k=$((${skipped[$call]:-0} + j))
      for errno in $(errors_for "$call"); do
        runs=$((runs + 1))
        dir="$work/run"
        rm -rf "$dir" "$dir.out" "$dir.err"
        cp -a "$base" "$dir"
        (cd "$dir" && strace -f -qq -o /dev/null -e "inject=$call:error=$errno:when=$k" \
            "$bin" "${args[@]}" > "$dir.out" 2> "$dir.err")
        status=$?
        lines=$(wc -l < "$dir.err")
        case $status in
          0)
            now=$(snapshot "$dir")
            if [ "$lines" -eq 1 ]; then
              # A left file named on standard error may stay.
              left=$(grep -oE '\.[a-z]+\.(txt|csv|geojson)\.station-dedup-[A-Za-z0-9]+' "$dir.err" | head -n 1)
              [ -n "$left" ] && now=$(grep -vF " $left" <<< "$now")
            elif [ "$lines" -ne 0 ]; then
              fail "exit 0 with $lines lines on standard error"
              continue
            fi
            if [ "$now" != "$after" ]; then
              fail "exit 0 but the files differ from an undisturbed run"
              diff <(echo "$after") <(echo "$now") | sed 's/^/    /'
            elif ! cmp -s "$dir.out" "$work/$scenario.out"; then
              fail "exit 0 but standard output differs from an undisturbed run"
            fi
            ;;
          2)
            now=$(snapshot "$dir")
            if [ "$lines" -ne 1 ]; then
              fail "exit 2 with $lines lines on standard error"
            elif [ "$now" != "$before" ]; then
              fail "exit 2 but the folder changed"
              diff <(echo "$before") <(echo "$now") | sed 's/^/    /'
            fi
            ;;
          *)
            fail "exit status $status"
            ;;
        esac
      done
    done
  done
  unset skipped swept
done

distinct=$(printf '%s\n' "${calls_seen[@]}" | sort -u)
echo "calls swept: $(echo $distinct)"
echo "fault sweep: $(wc -l <<< "$distinct") distinct calls, $runs injected runs, $((runs - failures)) passed, $failures failed"
[ $failures -eq 0 ]
