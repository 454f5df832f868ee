#!/usr/bin/env bash
# Fails unless the numbering plans held by the formatting page $1 are the ones the plan writer
# $2 gives from the phone number library: a plan typed by hand or left behind by an update of
# the library is caught here.
set -euo pipefail
plans=$(mktemp)
trap 'rm -f "$plans"' EXIT
sed -n '/\/\/ number plans begin$/,/\/\/ number plans end$/p' "$1" | sed '1d;$d' >"$plans"
[ -s "$plans" ] || { echo "the page holds no number plans"; exit 1; }
"$2" | diff -u "$plans" -
echo "$(grep -o '[0-9]*: \[\[' "$plans" | wc -l) plans, as the library has them"
