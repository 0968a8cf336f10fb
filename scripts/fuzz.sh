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
printf 'gta3.exe\xffdispora.asi\xffaspect\xff\xef\xbb\xbfaspect=16/9\rDispora=1\n' >"$corpus/seed-marked"
printf 'gta3.exe\xffdispora.asi\xfflogfile\xff\xff\xfel\x00o\x00g\x00f\x00i\x00l\x00e\x00=\x00\xe9\x00\r\x00\n\x00' >"$corpus/seed-utf16"
"$root/build/fuzz/settings_fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$@" "$corpus"
