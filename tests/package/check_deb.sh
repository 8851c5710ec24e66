#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Pontix csapat
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package from a build tree's install rules, lists and checks its contents,
# has lintian check it, unpacks it into a staging folder and runs the installed program there
# without a display. With "hardened" (a tree built with Debian's flags), the program must also
# carry Debian's hardening: lintian names none missing, and the relocations are bound at start.
# usage: check_deb.sh CPACK_CONFIG VERSION APP_ID [hardened|plain]
set -u
config=$1
version=$2
id=$3
mode=${4:-plain}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/pontix_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { cat "$work/cpack.log"; fail "no package made"; }
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[[ $(basename "$deb") == "pontix_${version}_${arch}.deb" ]] || fail "unexpected package name $(basename "$deb")"

echo "== contents of $(basename "$deb")"
dpkg-deb -c "$deb" | tee "$work/contents" || fail "dpkg-deb cannot list the package"
expected=(
    ./usr/games/pontix
    ./usr/share/man/man6/pontix.6.gz
    ./usr/share/doc/pontix/copyright
    ./usr/share/doc/pontix/changelog.gz
    ./usr/lib/games/pontix/pontix-speech.so
    "./usr/share/applications/$id.desktop"
    "./usr/share/metainfo/$id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$id.svg"
)
for size in 16 32 48 64 72 96 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${expected[@]}"; do
    grep -q " $path\$" "$work/contents" || fail "the package lacks $path"
done
# Nothing outside /usr, no build or test programs.
if grep -v -E ' \./usr(/|$)| \./$' "$work/contents"; then
    fail "the package holds files outside /usr"
fi
[[ $(grep -c -E '^-' "$work/contents") -eq ${#expected[@]} ]] || fail "the package holds other files than expected"

[[ $(dpkg-deb -f "$deb" Package) == pontix ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version $(dpkg-deb -f "$deb" Version)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no dependency on Qt Widgets: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Recommends | grep -q -w 'qt6-translations-l10n' ||
    fail "the toolkit's Hungarian texts are not recommended: $(dpkg-deb -f "$deb" Recommends)"
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "section $(dpkg-deb -f "$deb" Section), not games (/usr/games)"
addressed='^[^<>]+ <[^@ <>]+@[^@ <>]+>$'
[[ $(dpkg-deb -f "$deb" Maintainer) =~ $addressed ]] ||
    fail "the maintainer has no address: $(dpkg-deb -f "$deb" Maintainer)"

# lintian: no error and no warning; the informational tags are shown, and with "hardened" none
# may say that a hardening feature is missing.
echo "== lintian"
lintian --fail-on error,warning --display-info --pedantic "$deb" 2>&1 | grep -v 'running with root privileges' |
    tee "$work/lintian"
[[ ${PIPESTATUS[0]} -eq 0 ]] || fail "lintian found errors or warnings"
# The caller's packages are recommended, never required: Pontix installs and runs without them.
depends=$(dpkg-deb -f "$deb" Depends | tr -d ' ' | tr ',' '\n')
recommends=$(dpkg-deb -f "$deb" Recommends | tr -d ' ' | tr ',' '\n')
for speech in qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng; do
    grep -qx "$speech" <<<"$recommends" || fail "$speech is not recommended: $(dpkg-deb -f "$deb" Recommends)"
    grep -q "^$speech" <<<"$depends" && fail "$speech is required: $(dpkg-deb -f "$deb" Depends)"
done

stage="$work/stage"
dpkg-deb -x "$deb" "$stage" || fail "dpkg-deb cannot unpack the package"
binary="$stage/usr/games/pontix"
if readelf -d "$binary" | grep -E 'RPATH|RUNPATH'; then
    fail "the installed program carries a run path"
fi
# Qt Speech is loaded with the caller's module, never with the program at start.
readelf -d "$binary" | grep -q 'libQt6TextToSpeech' && fail "the program itself needs Qt Speech"
readelf -d "$stage/usr/lib/games/pontix/pontix-speech.so" | grep -q 'NEEDED.*libQt6TextToSpeech' ||
    fail "the speech module does not need Qt Speech"
if [[ $mode == hardened ]]; then
    if grep -E 'hardening-' "$work/lintian"; then
        fail "the program lacks some of Debian's hardening"
    fi
    readelf -d "$binary" | grep -q -E 'FLAGS.*BIND_NOW' || fail "the program's relocations are not bound at start"
fi

# The copyright file is machine-readable, the changelog's latest entry is this version.
doc="$stage/usr/share/doc/pontix"
head -n 1 "$doc/copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"
zcat "$doc/changelog.gz" | head -n 1 | grep -q "^pontix ($version) " ||
    fail "the changelog's latest entry is not $version: $(zcat "$doc/changelog.gz" | head -n 1)"
"$here/check_metadata.sh" "$stage/usr/share/applications/$id.desktop" "$stage/usr/share/metainfo/$id.metainfo.xml" "$id" ||
    fail "installed metadata"

# The installed program answers --version and --help without any display, and refuses an
# unknown option with the usage on standard error.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
out=$("${headless[@]}" "$binary" --version 2>"$work/err")
status=$?
[[ $status -eq 0 && $out == "Pontix $version" ]] || fail "--version gave status $status, '$out', $(cat "$work/err")"
"${headless[@]}" "$binary" --help >"$work/help" 2>"$work/err"
status=$?
[[ $status -eq 0 ]] && grep -q '^Usage: ' "$work/help" || fail "--help gave status $status: $(cat "$work/help" "$work/err")"
# The manual page names every option --help lists.
LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$stage/usr/share/man/man6/pontix.6.gz" >"$work/manual" 2>"$work/err" ||
    fail "the manual page does not render: $(cat "$work/err")"
options=$(grep -o -E '(^|[ ,])--?[a-z][a-z-]*' "$work/help" | tr -d ' ,' | sort -u)
[[ -n $options ]] || fail "no options found in --help: $(cat "$work/help")"
for option in $options; do
    grep -q -F -e "$option" "$work/manual" || fail "the manual page does not name $option"
done
"${headless[@]}" "$binary" --no-such-option >"$work/out.txt" 2>"$work/err"
status=$?
[[ $status -eq 2 && ! -s "$work/out.txt" ]] && grep -q '^Usage: ' "$work/err" ||
    fail "an unknown option gave status $status: $(cat "$work/out.txt" "$work/err")"
echo "package: passed ($(basename "$deb"))"
