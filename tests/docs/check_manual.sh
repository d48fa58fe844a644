#!/bin/sh
# Every option of the program's table of arguments is in its usage line and
# --help, and is described in the manual page and the README; the manual page
# renders without a single groff warning, its synopsis is the one --help
# prints, and at 60, 80 and 100 columns every exact string of the program's
# output stands whole on one line, its blanks as they are. Exits 77 (skipped)
# where groff is not installed.
# Usage: check_manual.sh MANUAL_PAGE STATION_DEDUP_BINARY README ARGUMENT_TABLE_SOURCE
set -u
page=$1
binary=$2
readme=$3
table=$4

# The options of the table, and those --help lists besides -h, --help and
# --version: the same, and each in the usage line.
table_options=$(grep -oE -- '(\.name = |_option\()"--[a-z][a-z-]*"' "$table" | grep -oE -- '--[a-z-]+' | sort -u)
if [ -z "$table_options" ]; then
  echo "no option found in $table"
  exit 1
fi
help_options=$("$binary" --help | grep -oE -- '--[a-z][a-z-]*' | grep -vxE -- '--help|--version' | sort -u)
if [ "$table_options" != "$help_options" ]; then
  echo "the table's options and those of --help differ"
  echo "table:"; echo "$table_options"
  echo "--help:"; echo "$help_options"
  exit 1
fi
usage=$("$binary" --help | head -n 1)
for option in $table_options; do
  case "$usage" in
    *"[$option"[]\ ]*) ;;
    *) echo "the usage line does not show $option"; exit 1 ;;
  esac
done

# Each long option, as the manual (every hyphen \-) and the README write it
# (a whole word).
for option in $table_options --help --version; do
  if ! grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$page"; then
    echo "$option is not described in the manual page"
    exit 1
  fi
  if ! grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$readme"; then
    echo "$option is not described in the README"
    exit 1
  fi
done

if ! command -v groff >/dev/null 2>&1; then
  echo "groff is not installed: manual page not checked"
  exit 77
fi

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
if [ -n "$warnings" ]; then
  echo "groff warns about $page:"
  echo "$warnings"
  exit 1
fi

# The rendered synopsis, one line per form, against the first lines of
# --help with "usage:" and the indentation taken away.
synopsis=$(groff -man -Tascii -P-cbou -rLL=400n "$page" 2>/dev/null |
  sed -n '/^SYNOPSIS/,/^[A-Z]/p' | sed '1d;$d' | sed 's/^ *//;/^$/d')
help_forms=$("$binary" --help | sed -n '1,/^$/p' | sed 's/^usage: //;s/^ *//;/^$/d')
if [ "$synopsis" != "$help_forms" ]; then
  echo "the manual's synopsis and --help differ"
  echo "manual:"; echo "$synopsis"
  echo "--help:"; echo "$help_forms"
  exit 1
fi
for width in 60 80 100; do
  text=$(groff -man -Tascii -P-cbou -rLL=${width}n "$page" 2>/dev/null)
  for exact in ' kept.txt  e  removed.txt' ' ID  ORGAO  LONGITUDE  LATITUDE  PRECIP  MOTIVO' 'station-dedup: ' \
      'IDs diferentes, local e precipitacao iguais' 'IDs diferentes, locais iguais e precipitacao diferente' \
      'Duplicata exata' 'IDs iguais, locais iguais, precipitacao diferente' 'Distancia menor que 2000m' \
      'IDs iguais, precipitacao, lat e lon diferentes e distancia menor que 2000m' \
      'exists and is not a removed-stations report; remove it or name another file' \
      'Reading an export'; do
    if ! printf '%s\n' "$text" | grep -qF -- "$exact"; then
      echo "at $width columns the manual does not show \"$exact\" whole"
      exit 1
    fi
  done
done
echo "manual page renders cleanly; synopsis matches --help; exact strings stand whole at 60, 80 and 100 columns"
