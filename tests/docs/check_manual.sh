#!/bin/sh
# The manual page renders without a single groff warning, its synopsis is
# the one --help prints, every option --help lists is described in the
# manual page and the README, and at 60, 80 and 100 columns every exact
# string of the program's output stands whole on one line, its blanks as they
# are. Exits 77 (skipped) where groff is not installed.
# Usage: check_manual.sh MANUAL_PAGE STATION_DEDUP_BINARY README
set -u
page=$1
binary=$2
readme=$3

# Each long option of --help, as the manual (every hyphen \-) and the README
# write it (a whole word).
for option in $("$binary" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
  if ! grep -qF -- "$(echo "$option" | sed 's/-/\\-/g')" "$page"; then
    echo "--help lists $option, which the manual page does not describe"
    exit 1
  fi
  if ! grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$readme"; then
    echo "--help lists $option, which the README does not describe"
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
synopsis=$(groff -man -Tascii -P-cbou -rLL=200n "$page" 2>/dev/null |
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
      'Preparing a list from common exports'; do
    if ! printf '%s\n' "$text" | grep -qF -- "$exact"; then
      echo "at $width columns the manual does not show \"$exact\" whole"
      exit 1
    fi
  done
done
echo "manual page renders cleanly; synopsis matches --help; exact strings stand whole at 60, 80 and 100 columns"
