# Sourced by the scripts that run 32-bit Windows programs: the project's Wine
# prefix, quiet Wine, no Mono or Gecko prompts, and a ddraw.dll beside a
# program preferred to Wine's own (as Windows does), so the plug-in can
# stand in for it.
export WINEPREFIX=${WINEPREFIX:-${HOME:-/root}/.wine-dispora}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;ddraw=n,b}
# Runs a command under a private virtual X display with a large screen (Wine
# shrinks framed windows that do not fit).
with_display() { xvfb-run -a -s '-screen 0 1920x1200x24' "$@"; }
