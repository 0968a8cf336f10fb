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
