#!/usr/bin/env bash
# Judges the Debian package $1 as a user's machine would meet it: its file list, the unpacked
# extractor on the unpacked sample files, the desktop entry and metainfo validators, and lintian
# with no error. Every check prints what it found; the first failure ends the run with status 1.
set -euo pipefail
export LC_ALL=C
deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "-- file list (dpkg-deb -c)"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | sort >"$work/files"
diff -u "$here/expected-files.txt" "$work/files"
echo "$(wc -l <"$work/files") files, as expected"

echo "-- unpacked extractor on the unpacked samples"
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
"$usr/bin/tessaly-extract" --version
"$usr/bin/tessaly-extract" --lengths 7,10,11 "$usr"/share/tessaly/Samples/* >"$work/numbers"
diff -u "$here/expected-sample-numbers.txt" "$work/numbers"
echo "$(wc -l <"$work/numbers") numbers, as expected"

echo "-- desktop-file-validate"
desktop-file-validate "$usr"/share/applications/*.desktop
echo "-- appstreamcli validate --no-net"
appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml

echo "-- lintian"
lintian --fail-on error "$deb"
echo "The package passed."
