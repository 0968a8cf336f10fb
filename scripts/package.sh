#!/usr/bin/env bash
# Builds the player zip, build/windows/dispora-VERSION-win32.zip (the project
# version from CMakeLists.txt), and SHA256SUMS beside it. The zip's texts get
# Windows line ends from the build (cmake/windows.cmake). Prints the zip's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null
out=build/windows
rm -f "$out"/dispora-*-win32.zip "$out/SHA256SUMS"
(cd "$out" && cpack -G ZIP >/dev/null)
zip=$(ls "$out"/dispora-*-win32.zip)
(cd "$out" && sha256sum "$(basename "$zip")" >SHA256SUMS)
echo "$root/$zip"
