#!/usr/bin/env bash
# Makes the Wine prefix the Windows suites run in, once: wine-prefix.sh PREFIX. Its windows are
# drawn without a window manager (a virtual display has none), so closing one waits for nobody.
# The dialogs' faces are set up as a Japanese Windows has them: the fixed-pitch Gothic is IPA
# Gothic; the shell's face and the UI Gothic are Liberation Sans Narrow, whose Latin letters are as
# wide as the UI Gothic's (the dialogs' units come from them), with IPA P Gothic for the Japanese.
set -euo pipefail
prefix=$1
export WINEPREFIX="$prefix" WINEDEBUG=-all
if [ ! -d "$prefix/dosdevices" ]; then
    # The new prefix settles (its registry written out) before anything else touches it.
    wineboot --init >/dev/null 2>&1
    wineserver -w
fi
# One registry file, in the UTF-16 regedit reads, so the Japanese names need no locale; taken in
# again whenever it changes.
settings="$prefix/velmora.reg"
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for face in 'ＭＳ Ｐゴシック' 'MS PGothic'; do printf '"%s"="IPAPGothic"\r\n' "$face"; done
    for face in 'ＭＳ ゴシック' 'MS Gothic'; do printf '"%s"="IPAGothic"\r\n' "$face"; done
    # The main window's tab control (9 points) holds pages laid out in 8 points: it does so where
    # the two sizes' dialog units are 6 and 5 pixels wide, as with the UI Gothic and this face.
    for face in 'MS UI Gothic' 'MS Shell Dlg'; do printf '"%s"="Liberation Sans Narrow"\r\n' "$face"; done
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
    # A list of strings: "ipagp.ttf,IPAPGothic" and the terminating empty one, in UTF-16 hex.
    link=$(printf 'ipagp.ttf,IPAPGothic' | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//')
    for face in 'Liberation Sans Narrow' Arial Tahoma 'Microsoft Sans Serif' 'MS Shell Dlg 2'; do
        printf '"%s"=hex(7):%s00,00,00,00\r\n' "$face" "$link"
    done
} | iconv -f UTF-8 -t UTF-16 >"$settings.new"
if cmp -s "$settings.new" "$settings"; then
    rm "$settings.new"
    exit 0
fi
wine regedit /S "$settings.new" >/dev/null 2>&1
wineserver -w
mv "$settings.new" "$settings"
