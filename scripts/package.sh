#!/usr/bin/env bash
# Builds the player zip: build/windows/dispora-1.01-win32.zip
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
(cd build/windows && cpack -G ZIP >/dev/null)
ls build/windows/dispora-*-win32.zip
