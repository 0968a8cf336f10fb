#!/usr/bin/env bash
# Runs the stand-in host's scenarios under Wine; extra arguments filter them by name.
#   scripts/wine-tests.sh [filter...]                 one 1920 x 1200 monitor at 96 DPI
#   scripts/wine-tests.sh --two-monitors [filter...]  a second monitor, 1280 x 1024, left
#       of the main one; then a start with that monitor gone
#   scripts/wine-tests.sh --dpi N [filter...]         the one monitor at N DPI (144: 150 %)
# The last two run the scenarios that place, size and frame the game window
# unless filters name others.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
rig="$root/build/windows/rig"
cd "$rig"

display=one
dpi=96
case "${1:-}" in
    --two-monitors) display=two; shift ;;
    --dpi) dpi=$2; shift 2 ;;
esac
filters=("$@")
window_scenarios=("window:" "immediate:" "deferred:")
if [ $display = two ] && [ ${#filters[@]} -eq 0 ]; then filters=("${window_scenarios[@]}" "monitors:"); fi
if [ "$dpi" != 96 ] && [ ${#filters[@]} -eq 0 ]; then filters=("${window_scenarios[@]}"); fi

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

# The system DPI Wine reads at each process's start; what was there before
# is put back however the run ends.
dpi_key='HKCU\Control Panel\Desktop'
dpi_before=
set_dpi() {
    dpi_before=$(wine reg query "$dpi_key" /v LogPixels 2>/dev/null | tr -d '\r' | awk '$1=="LogPixels"{print $3}' || true)
    wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -w || true
}
restore_dpi() {
    if [ -n "$dpi_before" ]; then
        wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$((dpi_before))" /f >/dev/null 2>&1 || true
    else
        wine reg delete "$dpi_key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
}
cleanup() {
    release_readonly
    if [ "$dpi" != 96 ]; then restore_dpi; wineserver -w || true; fi
}
trap cleanup EXIT

# Wine's output goes to files, not pipes: background Wine services inherit
# pipes and would keep a reader waiting until the wineserver exits.
status=0
run_host() {  # display wrapper, expected display, filters...
    local wrapper=$1 expected=$2
    shift 2
    DISPORA_DISPLAY=$expected "$wrapper" wine standin_host.exe run "$@" >"$rig/standin.out" 2>"$rig/standin.err" || status=$?
    cat "$rig/standin.out"
    if [ $status -ne 0 ]; then
        echo "stand-in host exited with $status; Wine's messages:" >&2
        tail -n 20 "$rig/standin.err" >&2
    fi
}
if [ $display = two ]; then
    rm -f dispora-window-second-monitor.ini
    run_host with_two_monitors "2 monitors, 96 DPI" "${filters[@]}"
    # The window remembered there, at the next start without that monitor.
    if [ -f dispora-window-second-monitor.ini ] && [ $status -eq 0 ]; then
        wineserver -w || true
        run_host with_display "1 monitor, 96 DPI" "monitor gone:"
    fi
elif [ "$dpi" != 96 ]; then
    wineserver -w || true
    set_dpi "$dpi"
    run_host with_display "1 monitor, $dpi DPI" "${filters[@]}"
else
    run_host with_display "1 monitor, 96 DPI" "${filters[@]}"
fi
exit $status
