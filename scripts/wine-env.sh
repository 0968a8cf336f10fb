# Sourced by the scripts that run 32-bit Windows programs: the project's Wine
# prefix, quiet Wine, no Mono or Gecko prompts, and a ddraw.dll beside a
# program preferred to Wine's own (as Windows does), so the plug-in can
# stand in for it.
export WINEPREFIX=${WINEPREFIX:-${HOME:-/root}/.wine-dispora}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;ddraw=n,b}
# Wine takes its ANSI code page from the Unix locale. C.UTF-8 (on every
# Debian) gives the usual Western Windows, code page 1252, whatever the
# machine's own locale, so a game folder named in Japanese, Greek or Cyrillic
# is outside the ANSI code page as for most players; file names on disk are UTF-8.
export LC_ALL=C.UTF-8
# Runs a command under a private virtual X display with a large screen (Wine
# shrinks framed windows that do not fit).
with_display() { xvfb-run -a -s '-screen 0 1920x1200x24' "$@"; }

dispora_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Runs a command on a private X server with two monitors side by side
# (scripts/two-monitors.conf): Xorg with the dummy video driver, which runs
# as root without a console. Wine's processes of a pass share one desktop,
# so the prefix's wineserver of an earlier display is let end first.
with_two_monitors() {
    local xorg_log display_file xorg status=0 display
    xorg_log=${TMPDIR:-/tmp}/dispora-xorg-$$.log
    display_file=$(mktemp)
    wineserver -w 2>/dev/null || true
    Xorg -displayfd 3 -config "$dispora_scripts/two-monitors.conf" -noreset -nolisten tcp -novtswitch -sharevts \
         -logfile "$xorg_log" 3>"$display_file" >/dev/null 2>&1 &
    xorg=$!
    for _ in $(seq 100); do
        display=$(cat "$display_file")
        [ -n "$display" ] && break
        kill -0 "$xorg" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$display_file"
    if [ -z "$display" ]; then
        echo "with_two_monitors: Xorg did not start; its log:" >&2
        tail -n 20 "$xorg_log" >&2
        kill "$xorg" 2>/dev/null || true
        return 1
    fi
    DISPLAY=:$display "$@" || status=$?
    wineserver -w 2>/dev/null || true
    kill "$xorg" 2>/dev/null || true
    wait "$xorg" 2>/dev/null || true
    rm -f "$xorg_log"
    return $status
}
