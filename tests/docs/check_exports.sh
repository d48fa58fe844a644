#!/bin/sh
# Every command of the README's "Reading an export" screens its sample export
# exactly as the program screens the same records written by hand as a
# free-form list. A command is the indented block after a line
# "<!-- export: NAME -->"; it reads export.csv and writes kept.txt and
# removed.txt, and is run in a fresh folder where export.csv is a copy of
# EXPORTS/NAME.csv and station-dedup is the program under test. Both of its
# outputs must equal those of EXPORTS/NAME.stations.txt, the report must name
# a removed station, and what it writes on standard error must equal
# EXPORTS/NAME.notes.txt (empty where that file does not exist).
# Usage: check_exports.sh README EXPORTS_FOLDER STATION_DEDUP_BINARY
set -u
readme=$1
exports=$2
binary=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")

names=$(sed -n 's/^<!-- export: \([a-z_]*\) -->$/\1/p' "$readme")
if [ -z "$names" ]; then
  echo "no export command found in $readme"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$binary" "$work/bin/station-dedup"
status=0
for name in $names; do
  mkdir "$work/$name" "$work/$name/by_hand"
  awk -v marker="<!-- export: $name -->" '
    $0 == marker { inside = 1; next }
    inside && /^    / { print substr($0, 5); taken = 1; next }
    inside && taken && $0 != "" { exit }' "$readme" > "$work/$name/command.sh"
  cp "$exports/$name.csv" "$work/$name/export.csv"
  if ! (cd "$work/$name" && PATH="$work/bin:$PATH" sh command.sh > /dev/null 2> notes.txt); then
    echo "$name: the command failed:"; cat "$work/$name/command.sh" "$work/$name/notes.txt"; status=1; continue
  fi
  expected_notes="$exports/$name.notes.txt"
  [ -f "$expected_notes" ] || expected_notes=/dev/null
  if ! cmp -s "$work/$name/notes.txt" "$expected_notes"; then
    echo "$name: standard error differs from $expected_notes:"; cat "$work/$name/notes.txt"; status=1; continue
  fi
  cp "$exports/$name.stations.txt" "$work/$name/by_hand/stations.txt"
  if ! (cd "$work/$name/by_hand" && "$binary" stations.txt kept.txt removed.txt > /dev/null); then
    echo "$name: station-dedup refused $name.stations.txt"; status=1; continue
  fi
  same=yes
  for output in kept.txt removed.txt; do
    if ! cmp -s "$work/$name/$output" "$work/$name/by_hand/$output"; then
      echo "$name: $output differs from the one of $name.stations.txt:"
      diff "$work/$name/$output" "$work/$name/by_hand/$output"; same=no
    fi
  done
  [ $same = yes ] || { status=1; continue; }
  removed=$(($(wc -l < "$work/$name/removed.txt") - 1))
  if [ "$removed" -lt 1 ]; then
    echo "$name: no station removed, so the sample proves little"; status=1; continue
  fi
  echo "$name: $(wc -l < "$work/$name/kept.txt") kept and $removed removed, as from the free-form list"
done
exit $status
