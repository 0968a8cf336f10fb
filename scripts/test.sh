#!/usr/bin/env bash
# Runs every test: native unit tests (ASan + UBSan), a short fuzz run, the
# plug-in's size and imports, and the stand-in host's scenarios under Wine: on
# one monitor, then its window scenarios again on two monitors and at 144 DPI.
# Usage: scripts/test.sh [--fuzz-seconds N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
fuzz_seconds=5
if [ "${1:-}" = "--fuzz-seconds" ]; then fuzz_seconds=$2; fi

failed=()
step() {
    local name=$1
    shift
    local started=$SECONDS
    echo "=== $name"
    if "$@"; then
        echo "=== $name: passed ($((SECONDS - started)) s)"
    else
        echo "=== $name: FAILED"
        failed+=("$name")
    fi
}

native() {
    cmake --preset native >/dev/null && cmake --build --preset native && ctest --preset native
}
fuzz() { scripts/fuzz.sh "$fuzz_seconds" >build/fuzz-short.log 2>&1 || { tail -n 40 build/fuzz-short.log; return 1; }
         grep -E '^(Done|stat::number_of_executed_units)' build/fuzz-short.log; }
windows() {
    cmake --preset windows >/dev/null && cmake --build --preset windows
}
step "native unit tests" native
step "settings fuzzer (${fuzz_seconds}s)" fuzz
step "cross build" windows
step "plug-in binary checks" scripts/check-binary.sh build/windows/rig/dispora.asi
step "stand-in host under Wine" scripts/wine-tests.sh
step "stand-in host on two monitors" scripts/wine-tests.sh --two-monitors
step "stand-in host at 144 DPI" scripts/wine-tests.sh --dpi 144
step "player package" scripts/check-package.sh

if [ ${#failed[@]} -ne 0 ]; then
    echo "failed: ${failed[*]}"
    exit 1
fi
echo "all test steps passed"
