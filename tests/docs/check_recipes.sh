#!/bin/sh
# Every recipe of the README's "Preparing a list from common exports" turns
# its sample export into exactly the expected station list, which the program
# then reads in full. A recipe is the indented block after a line
# "<!-- recipe: NAME -->"; it reads export.csv and writes stations.txt, and
# is run in a fresh folder where export.csv is a copy of EXPORTS/NAME.csv;
# the result must equal EXPORTS/NAME.stations.txt, and what it writes on
# standard error EXPORTS/NAME.notes.txt where that file exists.
# Usage: check_recipes.sh README EXPORTS_FOLDER STATION_DEDUP_BINARY
set -u
readme=$1
exports=$2
binary=$3

names=$(sed -n 's/^<!-- recipe: \([a-z_]*\) -->$/\1/p' "$readme")
if [ -z "$names" ]; then
  echo "no recipe found in $readme"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for name in $names; do
  mkdir "$work/$name"
  awk -v marker="<!-- recipe: $name -->" '
    $0 == marker { inside = 1; next }
    inside && /^    / { print substr($0, 5); taken = 1; next }
    inside && taken && $0 != "" { exit }' "$readme" > "$work/$name/recipe.sh"
  cp "$exports/$name.csv" "$work/$name/export.csv"
  if ! (cd "$work/$name" && sh recipe.sh 2> notes.txt); then
    echo "$name: the recipe failed"; cat "$work/$name/notes.txt"; status=1; continue
  fi
  if ! cmp -s "$work/$name/stations.txt" "$exports/$name.stations.txt"; then
    echo "$name: the station list differs from $name.stations.txt:"; cat "$work/$name/stations.txt"; status=1; continue
  fi
  if [ -f "$exports/$name.notes.txt" ] && ! cmp -s "$work/$name/notes.txt" "$exports/$name.notes.txt"; then
    echo "$name: the notes on standard error differ from $name.notes.txt:"; cat "$work/$name/notes.txt"; status=1; continue
  fi
  if ! (cd "$work/$name" && "$binary" stations.txt kept.txt removed.txt > /dev/null); then
    echo "$name: station-dedup refused the station list"; status=1; continue
  fi
  records=$(wc -l < "$work/$name/stations.txt")
  written=$(cat "$work/$name/kept.txt" "$work/$name/removed.txt" | wc -l)
  if [ "$written" -ne $((records + 1)) ]; then
    echo "$name: $records records in the list, but $written lines in both outputs"; status=1; continue
  fi
  echo "$name: $records records, read in full"
done
exit $status
