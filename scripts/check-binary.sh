#!/usr/bin/env bash
# Checks the shipped DLL: a PE32 DLL for x86 that imports only system
# libraries, exports only the two DirectDraw entries, carries the project's
# version (1.0.1 is file version 1.0.1.0) and stays within 40 KiB.
# Prints its size.
set -euo pipefail
dll=$1
objdump=i686-w64-mingw32-objdump
failures=0
fail() { echo "check-binary: $*"; failures=$((failures + 1)); }

headers=$($objdump -p "$dll")
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 x86 image"
grep -qE '^\s+DLL$' <<<"$headers" || fail "not a DLL"

imports=$(grep -E '^\s+DLL Name:' <<<"$headers" | awk '{print $3}' | tr 'a-z' 'A-Z' | sort -u)
for lib in $imports; do
    case "$lib" in
        KERNEL32.DLL|USER32.DLL|SHELL32.DLL|MSVCRT.DLL) ;;
        *) fail "imports $lib, which a player's game folder does not have" ;;
    esac
done
exports=$(awk '/\[Ordinal\/Name Pointer\] Table$/{on=1;next} on && /^[ \t]+\[/{print $NF} on && /^$/{on=0}' <<<"$headers" | sort)
[ "$exports" = "$(printf 'DirectDrawCreate\nDirectDrawCreateEx')" ] || fail "exports are: $(echo $exports)"

# The version resource carries the project's version, and the name players installed.
version=$(sed -n 's/^project(dispora VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
resource=$(python3 "$(dirname "$0")/dll-version.py" "$dll")
expected="$version.0 $version.0 $version.0 dispora.asi"
[ "$resource" = "$expected" ] || fail "version resource is \"$resource\", expected \"$expected\""

size=$(stat -c %s "$dll")
[ "$size" -le 40960 ] || fail "$size bytes: more than 40 KiB"
echo "dispora.asi: $size bytes; imports: $(echo $imports); exports: $(echo $exports); version: $resource"
[ $failures -eq 0 ]
