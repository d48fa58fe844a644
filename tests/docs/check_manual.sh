#!/bin/sh
# The README and the manual page against what the program prints: the README's
# synopsis is the usage line; every option of --help is in the usage line, has
# a row in the README's table of arguments and an entry in the manual page; the
# limits both quote are those --help prints; every option a message in the
# sources names is one of --help; no line of --help but the usage line is over
# 77 columns. Then the manual page renders without a single groff warning, its
# synopsis is the one --help prints, and at 60, 80 and 100 columns every exact
# string of the program's output stands whole on one line, its blanks as they
# are. Exits 77 (skipped) where groff is not installed.
# Usage: check_manual.sh MANUAL_PAGE STATION_DEDUP_BINARY README SOURCE_FOLDER
set -u
page=$1
binary=$2
readme=$3
sources=$4

fail() {
  echo "$1"
  exit 1
}

help=$("$binary" --help)
usage=$(printf '%s\n' "$help" | head -n 1)
# The options --help describes: the labels of its entries.
help_options=$(printf '%s\n' "$help" | grep -oE -- '^  (-h, )?--[a-z][a-z-]*' | grep -oE -- '--[a-z-]+' | sort -u)
[ -n "$help_options" ] || fail "no option found in --help"

synopsis=$(grep -m 1 -E '^    station-dedup \[' "$readme" | sed 's/^ *//')
[ "usage: $synopsis" = "$usage" ] || fail "the README's synopsis is not the usage line: $synopsis"

# Where the manual page gives an option an entry: the line after a .TP.
manual_entries=$(awk 'entry { print } { entry = /^\.TP/ }' "$page" | grep -oE -- '\\-\\-[a-z]+(\\-[a-z]+)*' | sed 's/\\//g')
for option in $help_options; do
  case "$option" in
    --help | --version) ;;
    *) case "$usage" in *"[$option"[]\ ]*) ;; *) fail "the usage line does not show $option" ;; esac ;;
  esac
  grep -qE -- "^\| \`$option[\` ]" "$readme" || fail "$option has no row in the README's table of arguments"
  printf '%s\n' "$manual_entries" | grep -qxF -- "$option" || fail "$option has no entry in the manual page"
done

# The limits, as --help prints them, and every place either document quotes
# one (a text's lines joined, so that a wrapped phrase is found).
joined() { tr '\n' ' ' | sed 's/`//g; s/\\f[BIRP]//g' | tr -s ' '; }
limits() {
  joined | grep -oE "(instead of|holds|holds at most|more than) [0-9]+|at most [0-9]+ records|(from 1 to|\(at most) [0-9]+" |
    sed -E 's/^(from 1 to|\(at most) ([0-9]+)$/largest \2/; t; s/^[a-z ]*([0-9]+)( records)?$/capacity \1/'
}
expected=$(printf '%s\n' "$help" | limits | sort -u)
[ "$(printf '%s\n' "$expected" | wc -l)" -eq 2 ] || fail "--help does not print its two limits: $expected"
for document in "$readme" "$page"; do
  quoted=$(limits < "$document" | sort -u)
  [ "$quoted" = "$expected" ] || fail "$document quotes the limits as $(echo $quoted), --help as $(echo $expected)"
done

# Every --option inside a string literal of the sources (escaped quotes and
# quote characters taken out first, so that literals pair up).
messages=$(cat "$sources"/*/*.h "$sources"/*/*.cpp | sed -E "s/\\\\\"//g; s/'\"'//g" | grep -oE '"[^"]*"' |
  grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$messages" ] || fail "no option found in the messages of $sources"
for option in $messages; do
  printf '%s\n' "$help_options" | grep -qxF -- "$option" || fail "a message names $option, which --help does not know"
done

wide=$(printf '%s\n' "$help" | sed 1d | awk 'length($0) > 77')
[ -z "$wide" ] || fail "lines of --help wider than 77 columns: $wide"

if ! command -v groff >/dev/null 2>&1; then
  echo "groff is not installed: manual page not checked"
  exit 77
fi

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
[ -z "$warnings" ] || fail "groff warns about $page: $warnings"

# The rendered synopsis, one line per form, against the first lines of
# --help with "usage:" and the indentation taken away.
synopsis=$(groff -man -Tascii -P-cbou -rLL=400n "$page" 2>/dev/null |
  sed -n '/^SYNOPSIS/,/^[A-Z]/p' | sed '1d;$d' | sed 's/^ *//;/^$/d')
help_forms=$(printf '%s\n' "$help" | sed -n '1,/^$/p' | sed 's/^usage: //;s/^ *//;/^$/d')
[ "$synopsis" = "$help_forms" ] || fail "the manual's synopsis and --help differ: $synopsis"
for width in 60 80 100; do
  text=$(groff -man -Tascii -P-cbou -rLL=${width}n "$page" 2>/dev/null)
  for exact in ' kept.txt  e  removed.txt' ' ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO' 'station-dedup: ' \
      'IDs diferentes, local e precipitacao iguais' 'IDs diferentes, locais iguais e precipitacao diferente' \
      'Duplicata exata' 'IDs iguais, locais iguais, precipitacao diferente' 'Distancia menor que 2000m' \
      'IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m' \
      'exists and is not a removed-stations report; remove it or name another file' \
      'Reading an export'; do
    printf '%s\n' "$text" | grep -qF -- "$exact" || fail "at $width columns the manual does not show \"$exact\" whole"
  done
done
echo "README and manual page in step with --help; manual renders cleanly; exact strings stand whole at 60, 80 and 100 columns"
