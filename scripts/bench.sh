#!/usr/bin/env bash
# Figures, not a test: the stripped DLL's size and imports, the attach cost
# against an empty DLL in the stand-in host, and the settings lookup cost.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset windows >/dev/null && cmake --build --preset windows >/dev/null
cmake --preset bench >/dev/null && cmake --build --preset bench >/dev/null
echo "== the plug-in (ceiling: 40 KiB, system libraries only)"
bash scripts/check-binary.sh build/windows/rig/dispora.asi
echo "== attach cost in the stand-in host (target: ratio 1.5 or less)"
bash scripts/wine-tests.sh "bench:" | grep -E 'attach|passed'
echo "== settings lookup, native"
build/bench/settings_bench
