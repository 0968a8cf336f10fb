#!/usr/bin/env bash
# Prepares a Debian bookworm x86-64 machine to build dispora.asi and run its tests.
# Idempotent: every step checks first and is quick when things are already in place.
set -euo pipefail

[ "$(id -u)" -eq 0 ] || { echo "setup.sh: run as root" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive

log() { echo "setup: $*"; }

# --- packages --------------------------------------------------------------
# libxi6:i386: without the 32-bit XInput library Wine refuses every ClipCursor.
# xserver-xorg-core, xserver-xorg-video-dummy, libxinerama1:i386: an X server
# with two monitors, which 32-bit Wine lists only through the 32-bit Xinerama
# library (scripts/two-monitors.conf).
# fonts-wine: Wine's Marlett, which draws the caption buttons in screenshots.
# The i386 architecture gives Wine's 32-bit build; bookworm-backports gives a
# qemu-user that starts Wine processes in about a second (bookworm's own qemu
# 7.2 takes close to a minute of CPU per start).
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    need_update=1
fi

backports_list=/etc/apt/sources.list.d/dispora-backports.sources
if [ ! -f "$backports_list" ]; then
    # Reuse the archive this machine already uses for bookworm.
    uri=$(grep -h -E '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null \
          | awk '{print $2}' | grep -E '/debian/?$' | head -n1 || true)
    if [ -z "$uri" ] && [ -f /etc/apt/sources.list ]; then
        uri=$(awk '$1=="deb" && $3 ~ /^bookworm$/ {print $2; exit}' /etc/apt/sources.list || true)
    fi
    [ -n "$uri" ] || { echo "setup.sh: no Debian archive found in the apt sources" >&2; exit 1; }
    cat >"$backports_list" <<SRC
Types: deb
URIs: $uri
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need_update=1
fi

packages=(cmake ninja-build make g++ clang libclang-rt-14-dev libgtest-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 libxi6:i386 fonts-wine xvfb xauth x11-apps imagemagick zip unzip
          xserver-xorg-core xserver-xorg-video-dummy libxinerama1:i386)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
qemu_ok=0
if dpkg-query -W -f='${Status} ${Version}' qemu-user 2>/dev/null | grep -q 'install ok installed.*bpo'; then
    qemu_ok=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $qemu_ok -eq 0 ]; then
    if [ $need_update -eq 1 ] || [ ! -f /var/lib/apt/lists/dispora-stamp ]; then
        apt-get update -q
        touch /var/lib/apt/lists/dispora-stamp
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing ${missing[*]}"
        apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    if [ $qemu_ok -eq 0 ]; then
        log "installing qemu-user from bookworm-backports"
        apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user
    fi
fi

# --- 32-bit programs through qemu-i386 -------------------------------------
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt"
fi
qemu=$(command -v qemu-i386)
entry=$binfmt/qemu-i386
if [ -e "$entry" ] && ! grep -qx "interpreter $qemu" "$entry"; then
    echo -1 >"$entry"   # stale entry for another qemu
fi
if [ -e "$entry" ] && ! grep -q '^flags: .*F' "$entry"; then
    echo -1 >"$entry"
fi
if [ ! -e "$entry" ]; then
    # Flag F: the kernel keeps the interpreter opened now, so it also works
    # inside chroots and after the path changes.
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' >"$binfmt/register"
    log "registered $qemu for i386 ELF"
fi

# --- Wine prefix -----------------------------------------------------------
export WINEPREFIX=${WINEPREFIX:-${HOME:-/root}/.wine-dispora}
export WINEARCH=win32 WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # wineboot needs a display for its first-run windows; a short-lived Xvfb will do.
    WINEDLLOVERRIDES='mscoree,mshtml=' xvfb-run -a -s '-screen 0 1920x1200x24' wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 || true
    wineserver -w || true
fi
# Xvfb runs no window manager: let Wine place and frame its windows itself
# instead of waiting for a manager that never answers.
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w || true
fi
# Wine draws caption buttons with Marlett; this Wine does not look in the
# package's font folder, so the prefix gets its own copy.
marlett="$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
if [ ! -f "$marlett" ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$marlett"
    log "installed Marlett into the Wine prefix"
fi
log "ready"
