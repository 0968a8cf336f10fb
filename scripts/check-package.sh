#!/usr/bin/env bash
# Unpacks the player zip and checks it: exactly the plug-in, the sample ini,
# the guide and the licence; every text with Windows line ends; the zip's
# name, the guide and the plug-in's file version naming the same version;
# SHA256SUMS matching the zip; and the sample ini, as shipped, giving a
# framed 1024 x 768 window through the real plug-in in the stand-in host, on
# both roads.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=$(bash "$root/scripts/package.sh")
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
failures=0
fail() { echo "check-package: $*"; failures=$((failures + 1)); }

contents=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$contents" = "LICENSE.txt PLAYERS.txt dispora.asi dispora.ini " ] || fail "the zip holds: $contents"
cmp -s "$unpacked/dispora.asi" "$root/build/windows/rig/dispora.asi" || fail "dispora.asi is not the one just built"

# Every text: each line ends in CR LF (Notepad before Windows 10 1809 shows
# bare line feeds as one long line).
for text in "$unpacked"/*; do
    case "$text" in *.asi) continue ;; esac
    name=$(basename "$text")
    [ -s "$text" ] || fail "$name is empty"
    bare=$(grep -c $'[^\r]$\|^$' "$text" || true)
    [ "$bare" -eq 0 ] || fail "$name: $bare lines end without CR LF"
    [ "$(tail -c 2 "$text" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || fail "$name: the last line ends without CR LF"
done
grep -q '^MIT License' "$unpacked/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"

# One version: dispora-1.0.1-win32.zip, "Version 1.0.1" in the guide, file version 1.0.1.0.
version=$(basename "$zip" | sed -n 's/^dispora-\([0-9.]*\)-win32\.zip$/\1/p')
file_version=$(python3 "$root/scripts/dll-version.py" "$unpacked/dispora.asi" | cut -d' ' -f1)
[ -n "$version" ] && [ "$file_version" = "$version.0" ] ||
    fail "the zip's name says ${version:-no version}, dispora.asi's file version is $file_version"
grep -q "^Version $version, " "$unpacked/PLAYERS.txt" || fail "PLAYERS.txt does not name version $version"

(cd "$(dirname "$zip")" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the zip"
[ $failures -eq 0 ] || exit 1

rig="$root/build/windows/rig"
rm -rf "$rig/package"
mkdir -p "$rig/package"
cp "$unpacked/dispora.asi" "$unpacked/dispora.ini" "$rig/package/"
echo "$(basename "$zip"): $contents"
bash "$root/scripts/wine-tests.sh" "package:"
