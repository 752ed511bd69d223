#!/usr/bin/env bash
# Makes a throwaway Wine prefix for the Windows tests: PREFIX [DPI]. Chinese captions need the
# fonts that a Chinese Windows has; they are replaced by WenQuanYi Micro Hei. DPI (default 96)
# sets the display's dots per inch, as the Windows display scaling does (144 is 150 %).
set -euo pipefail
prefix=$1
dpi=${2:-96}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1

# Value names with Chinese characters reach the registry intact only from a UTF-16 file.
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "SimSun" "宋体" "NSimSun" "新宋体" \
    "微软雅黑" "Microsoft YaHei" "Microsoft YaHei UI" "Segoe UI"; do
    printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
  done
  printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n'
  printf '"LogPixels"=dword:%08x\r\n' "$dpi"
  printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]\r\n'
  printf '"LogPixels"=dword:%08x\r\n' "$dpi"
  printf '\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]\r\n'
  printf '"LogPixels"=dword:%08x\r\n' "$dpi"
} | iconv -f UTF-8 -t UTF-16 >"$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
