#!/usr/bin/env bash
# Runs the stand-in host's scenarios under Wine; extra arguments filter them by name.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
rig="$root/build/windows/rig"
cd "$rig"

# A read-only dispora.ini and dispora.log for the settings and log scenarios.
# Wine running as root would still write a file that only lacks write
# permission, so they are also made immutable there.
readonly_dir="$rig/readonly"
release_readonly() { chattr -i "$readonly_dir/dispora.ini" "$readonly_dir/dispora.log" 2>/dev/null || true; }
release_readonly
rm -rf "$readonly_dir"
mkdir -p "$readonly_dir"
printf 'dispora=windowed\n' >"$readonly_dir/dispora.ini"
printf 'a log from an earlier start\n' >"$readonly_dir/dispora.log"
chmod a-w "$readonly_dir/dispora.ini" "$readonly_dir/dispora.log"
if [ "$(id -u)" -eq 0 ]; then chattr +i "$readonly_dir/dispora.ini" "$readonly_dir/dispora.log"; fi
trap release_readonly EXIT
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
