#!/usr/bin/env bash
# Judges the two Debian packages in folder $1 (tessaly-extract_*.deb and tessaly_*.deb) as a
# user's machine would meet them: their file lists and relations, the extractor's package
# installed alone into an empty Debian root and run there on the sample files, the desktop
# entry and metainfo validators, and lintian with no error or warning. Every check prints what it found;
# the first failure ends the run with status 1.
#
# The empty root is a minimal Debian 12 made once by debootstrap (from Debian's archive, about
# a minute and a half) and kept as build/package-root/minbase.tar for the next runs. That needs
# root and the archive; without either the extractor's package is only unpacked and run on this
# machine, which is said loudly, since it proves less (its Depends are still checked).
# TESSALY_CHECK_WINDOW_INSTALL=1 also installs the window's package into a second empty root and
# lists what it brings (the whole desktop stack: slow, so not by default).
set -euo pipefail
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
root_dir=$(cd "$here/../.." && pwd)
debs=$(realpath "$1")
extract_deb=$(ls "$debs"/tessaly-extract_*.deb)
window_deb=$(ls "$debs"/tessaly_*.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { dpkg-deb -f "$1" "$2"; }
fail() {
    echo "FAILED: $*"
    exit 1
}

echo "-- file lists (dpkg-deb -c), against expected-files.txt"
for deb in "$extract_deb" "$window_deb"; do
    package=$(field "$deb" Package)
    dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | sort |
        sed "s|^|$package |"
done >"$work/files"
diff -u "$here/expected-files.txt" "$work/files"
echo "$(wc -l <"$work/files") files, as expected"

echo "-- relations"
version=$(field "$extract_deb" Version)
extract_depends=$(field "$extract_deb" Depends)
echo "tessaly-extract Depends: $extract_depends"
echo "tessaly-extract Recommends: $(field "$extract_deb" Recommends)"
echo "tessaly Depends: $(field "$window_deb" Depends)"
# The extractor's package must not pull any part of the desktop onto a command-line machine.
desktop_packages='(^|[ ,])(libqt|qt6-|libx11|libxcb|libgl1|libglx|libopengl|libegl|libwayland|libfontconfig|fonts-)'
if grep -Eq "$desktop_packages" <<<"$extract_depends"; then
    fail "tessaly-extract depends on a desktop library"
fi
grep -Eq '(^|, )poppler-utils($|,)' <<<"$(field "$extract_deb" Recommends)" ||
    fail "tessaly-extract does not recommend poppler-utils"
grep -Fq "tessaly-extract (= $version)" <<<"$(field "$window_deb" Depends)" ||
    fail "tessaly does not depend on tessaly-extract (= $version)"
[ "$(field "$window_deb" Version)" = "$version" ] || fail "the two packages' versions differ"

# The samples come from the window's package, where a user finds them.
dpkg-deb -x "$window_deb" "$work/window"
samples="$work/window/usr/share/tessaly/Samples"

# Runs the extractor ($1: how to start it) on the samples, seen by it in folder $2, in the ways
# the manual shows, each compared with the plain listing.
run_on_samples() {
    local run=$1 dir=$2 files=()
    for file in "$samples"/*; do files+=("$dir/${file##*/}"); done
    $run tessaly-extract --version
    $run tessaly-extract --lengths 7,10,11 "${files[@]}" >"$work/numbers"
    diff -u "$here/expected-sample-numbers.txt" "$work/numbers"
    echo "$(wc -l <"$work/numbers") numbers, as expected"
    # -H -n: every line is PATH:LINE:NUMBER, and the numbers are the same.
    $run tessaly-extract -H -n --lengths 7,10,11 "${files[@]}" >"$work/with-source"
    if grep -Evq "^$dir/[^:]+:[0-9]+:[0-9]+$" "$work/with-source"; then
        fail "-H -n wrote a line without path and line"
    fi
    sed 's/.*://' "$work/with-source" | diff -u "$work/numbers" -
    # jsonl: one object a line holding the same numbers.
    $run tessaly-extract --format jsonl --lengths 7,10,11 "${files[@]}" >"$work/jsonl"
    sed -n 's/.*"number":"\([0-9]*\)".*/\1/p' "$work/jsonl" | diff -u "$work/numbers" -
    # The list of files on standard input, NUL between the paths.
    printf '%s\0' "${files[@]}" | $run tessaly-extract -0 --files-from - --lengths 7,10,11 |
        diff -u "$work/numbers" -
    echo "-H -n, jsonl and -0 --files-from give the same numbers"
}

minbase="$root_dir/build/package-root/minbase.tar"
# Makes an empty Debian 12 root in $1 from the kept tar, making the tar first when there is none.
empty_root() {
    if [ ! -f "$minbase" ]; then
        echo "making the empty root once with debootstrap (kept as $minbase)"
        mkdir -p "$(dirname "$minbase")"
        local fresh="$work/fresh"
        debootstrap --variant=minbase bookworm "$fresh" http://deb.debian.org/debian >"$work/debootstrap.log" 2>&1 ||
            { tail -n 20 "$work/debootstrap.log"; return 1; }
        tar -C "$fresh" -cf "$minbase.part" . && mv "$minbase.part" "$minbase"
        rm -rf "$fresh"
    fi
    mkdir "$1"
    tar -C "$1" -xf "$minbase"
    cp /etc/resolv.conf "$1/etc/resolv.conf"
}

# Installs the packages $2... into the empty root $1 as a user would (apt, no recommends) and
# prints the packages it brought.
install_into() {
    local target=$1
    shift
    chroot "$target" dpkg-query -W -f='${Package}\n' | sort >"$work/before"
    chroot "$target" apt-get -qq update || fail "apt in the empty root could not reach Debian's archive"
    cp "$@" "$target/tmp/"
    local inside=()
    for deb in "$@"; do inside+=("/tmp/$(basename "$deb")"); done
    chroot "$target" env DEBIAN_FRONTEND=noninteractive \
        apt-get -qq install -y --no-install-recommends "${inside[@]}" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log"; fail "apt could not install ${inside[*]}"; }
    chroot "$target" dpkg-query -W -f='${Package} ${Version} ${Installed-Size}\n' | sort >"$work/after"
    join -v 1 "$work/after" "$work/before" >"$work/brought"
    echo "$(wc -l <"$work/brought") packages brought, $(awk '{ s += $3 } END { print s }' "$work/brought") KiB installed:"
    sed 's/^/    /' "$work/brought"
}

if [ "$(id -u)" -eq 0 ] && command -v debootstrap >/dev/null && empty_root "$work/root"; then
    echo "-- tessaly-extract alone in an empty Debian root"
    install_into "$work/root" "$extract_deb"
    if grep -Eq "$desktop_packages" "$work/brought"; then
        fail "installing tessaly-extract brought a desktop package"
    fi
    mkdir "$work/root/tmp/Samples"
    cp "$samples"/* "$work/root/tmp/Samples/"
    run_on_samples "chroot $work/root" /tmp/Samples
    echo "-- purged, nothing of it is left"
    chroot "$work/root" dpkg -L tessaly-extract | grep -v '^/\.$' >"$work/owned"
    chroot "$work/root" dpkg --purge tessaly-extract >/dev/null
    while read -r path; do
        [ -d "$work/root$path" ] && continue
        [ -e "$work/root$path" ] && fail "$path is left after purging"
    done <"$work/owned"
    echo "none of its $(wc -l <"$work/owned") paths is left"
    if [ "${TESSALY_CHECK_WINDOW_INSTALL:-0}" = 1 ]; then
        echo "-- tessaly (with tessaly-extract) in an empty Debian root"
        empty_root "$work/window-root"
        install_into "$work/window-root" "$extract_deb" "$window_deb"
        rm -rf "$work/window-root"
    fi
    rm -rf "$work/root"
else
    echo "-- NO EMPTY ROOT (needs root, debootstrap and Debian's archive): the extractor's package"
    echo "   is only unpacked and run on this machine, with its Depends checked above"
    dpkg-deb -x "$extract_deb" "$work/extract"
    run_on_samples "env PATH=$work/extract/usr/bin:$PATH" "$samples"
fi

echo "-- desktop-file-validate"
desktop_file=$(ls "$work"/window/usr/share/applications/*.desktop)
desktop-file-validate "$desktop_file"
# Every type the entry offers to open is one the system's MIME database knows (a misspelt type
# passes the validator but never offers Tessaly).
mime_database=/usr/share/mime/packages/freedesktop.org.xml
for type in $(sed -n 's/^MimeType=//p' "$desktop_file" | tr ';' ' '); do
    grep -q "type=\"$type\"" "$mime_database" || fail "the desktop entry's type $type is unknown"
done
echo "its $(sed -n 's/^MimeType=//p' "$desktop_file" | tr ';' '\n' | grep -c .) types are known"
echo "-- appstreamcli validate --no-net"
appstreamcli validate --no-net "$work"/window/usr/share/metainfo/*.metainfo.xml

echo "-- lintian"
lintian --fail-on error,warning "$extract_deb" "$window_deb"
echo "Both packages passed."
