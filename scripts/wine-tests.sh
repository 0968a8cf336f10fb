#!/usr/bin/env bash
# Runs the stand-in host's scenarios under Wine; extra arguments filter them by name.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
rig="$root/build/windows/rig"
cd "$rig"
# Wine's output goes to files, not pipes: background Wine services inherit
# pipes and would keep a reader waiting until the wineserver exits.
status=0
with_display wine standin_host.exe run "$@" >"$rig/standin.out" 2>"$rig/standin.err" || status=$?
cat "$rig/standin.out"
if [ $status -ne 0 ]; then
    echo "stand-in host exited with $status; Wine's messages:" >&2
    tail -n 20 "$rig/standin.err" >&2
fi
exit $status
