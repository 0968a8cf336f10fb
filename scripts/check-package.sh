#!/usr/bin/env bash
# Unpacks the player zip and checks it: exactly the plug-in, the sample ini
# and the guide, and the sample ini, as shipped, gives a framed 1024 x 768
# window through the real plug-in in the stand-in host, on both roads.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=$(bash "$root/scripts/package.sh")
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
contents=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | sort | tr '\n' ' ')
if [ "$contents" != "PLAYERS.txt dispora.asi dispora.ini " ]; then
    echo "check-package: the zip holds: $contents"
    exit 1
fi
cmp "$unpacked/dispora.asi" "$root/build/windows/rig/dispora.asi"
rig="$root/build/windows/rig"
rm -rf "$rig/package"
mkdir -p "$rig/package"
cp "$unpacked/dispora.asi" "$unpacked/dispora.ini" "$rig/package/"
echo "$(basename "$zip"): $contents"
bash "$root/scripts/wine-tests.sh" "package:"
