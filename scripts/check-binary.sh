#!/usr/bin/env bash
# Checks the shipped DLL: a PE32 DLL for x86 that imports only system
# libraries, exports only the two DirectDraw entries, carries the project's
# version and stays within 28 KiB.
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
resource=$(python3 - "$dll" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))  # VS_FIXEDFILEINFO
if at < 0:
    print("none"); sys.exit()
ms, ls = struct.unpack_from("<II", data, at + 8)
def text(key):
    k = (key + "\0").encode("utf-16-le")
    i = data.find(k)
    if i < 0: return ""
    i += len(k)
    i += (4 - i % 4) % 4  # values start on a 32-bit boundary
    j = i
    while data[j:j + 2] != b"\0\0": j += 2
    return data[i:j].decode("utf-16-le")
print("%d.%d.%d.%d %s %s %s" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF,
      text("FileVersion"), text("ProductVersion"), text("OriginalFilename")))
PY
)
major=${version%%.*}
minor=$((10#${version#*.}))
expected="$major.$minor.0.0 $version $version dispora.asi"
[ "$resource" = "$expected" ] || fail "version resource is \"$resource\", expected \"$expected\""

size=$(stat -c %s "$dll")
[ "$size" -le 28672 ] || fail "$size bytes: more than 28 KiB"
echo "dispora.asi: $size bytes; imports: $(echo $imports); exports: $(echo $exports); version: $resource"
[ $failures -eq 0 ]
