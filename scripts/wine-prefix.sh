#!/usr/bin/env bash
# Makes the Wine prefix the Windows suites run in, once: wine-prefix.sh PREFIX. Its windows are
# drawn without a window manager (a virtual display has none), so closing one waits for nobody.
set -euo pipefail
prefix=$1
export WINEPREFIX="$prefix" WINEDEBUG=-all
[ -f "$prefix/velmora-ready" ] && exit 0
[ -d "$prefix/dosdevices" ] || wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
touch "$prefix/velmora-ready"
