#!/bin/sh
# The manual page renders without a single groff warning, and its synopsis
# is the one --help prints. Exits 77 (skipped) where groff is not installed.
# Usage: check_manual.sh MANUAL_PAGE STATION_DEDUP_BINARY
set -u
page=$1
binary=$2

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
echo "manual page renders cleanly; synopsis matches --help"
