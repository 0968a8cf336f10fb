#!/usr/bin/env bash
# Runs the settings fuzzer for a bounded time: scripts/fuzz.sh [seconds] [extra libFuzzer flags]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus="$root/build/fuzz/corpus"
mkdir -p "$corpus"
# Seeds: typical settings in the layout the fuzzer reads.
printf 'gta3.exe --dispora=800x600x32\xffdispora.asi\xfftopmost\xffdispora=windowed\r\ntopmost = yes\r\n' >"$corpus/seed-typical"
printf 'gta3.exe\xffdispora--windowsize=1024x768.asi\xffwindowsize\xff;comment\n dispora=1\n' >"$corpus/seed-path"
"$root/build/fuzz/settings_fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$@" "$corpus"
