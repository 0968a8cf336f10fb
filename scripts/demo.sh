#!/usr/bin/env bash
# The plug-in's main job in the stand-in host: loads dispora.asi into the
# chosen game build on both roads (and, loaded early as players load it, a
# sized and centred window that Alt+Enter switches to borderless full screen
# and back, a borderless full-screen one, and one that keeps the game's 4:3
# picture with black bars around it), prints its log and saves
# screenshots of the stand-in game's test card to build/demo/.
# --docs also refreshes the images the README shows, in docs/.
# Usage: scripts/demo.sh [--docs] [Gta3V10|Gta3V11|ViceCityA|ViceCityB]   (default ViceCityA)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
docs=0
if [ "${1:-}" = "--docs" ]; then docs=1; shift; fi
build=${1:-ViceCityA}
case "$build" in Gta3V10|Gta3V11|ViceCityA|ViceCityB) ;; *) echo "unknown build: $build" >&2; exit 2 ;; esac
if [ "$(id -u)" -eq 0 ]; then bash scripts/setup.sh; fi
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
source scripts/wine-env.sh
rig="$root/build/windows/rig"
rm -rf "$rig/demo"
cd "$rig"
with_display wine standin_host.exe run "demo: immediate road/$build" \
    "demo: deferred road with the video mode dialog/$build" "demo: deferred road, a sized and centred window/$build" \
    "demo: deferred road, borderless full screen/$build" \
    "demo: deferred road, pillarboxed borderless full screen/$build" >"$rig/demo.out" 2>"$rig/demo.err" || {
    cat "$rig/demo.out"; tail -n 20 "$rig/demo.err" >&2; exit 1; }
cat "$rig/demo.out"
out="$root/build/demo"
mkdir -p "$out"
for bmp in "$rig"/demo/*.bmp; do
    png="$out/$(basename "${bmp%.bmp}").png"
    convert "$bmp" -strip "$png"  # no time stamps: a refresh changes only what changed
    echo "saved ${png#"$root"/}"
done
for log in "$rig"/demo/*.log; do
    cp "$log" "$out/"
    echo "saved build/demo/$(basename "$log")"
done
if [ $docs -eq 1 ]; then
    for image in mode-dialog deferred-centred-window deferred-borderless-full-screen \
        deferred-pillarboxed-full-screen immediate-window; do
        cp "$out/$image.png" "$root/docs/"
        echo "refreshed docs/$image.png"
    done
fi
