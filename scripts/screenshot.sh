#!/usr/bin/env bash
# Builds the Qt window and takes the README's pictures of it on a virtual display (Xvfb), in a
# neutral folder, ~/光谱数据, made for the pictures (it must not exist yet) and removed afterwards:
# the example spectra, two subfolders and a copy of the program, started there as a user would.
#   docs/screenshot.png     the window right after start-up
#   docs/completion.png     the completion box after 990 ~ 1010, peak
#   docs/folder-dialog.png  the folder dialog of "定位文件夹..."
# The pictures come from a bare X server, without the title bars a desktop adds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh window screenshot
[ -f build/build.ninja ] ||
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target torvane >/dev/null

data=$HOME/光谱数据
if [ -e "$data" ]; then
  echo "$data exists already; the pictures need a folder of their own" >&2
  exit 1
fi
trap 'rm -rf "$data"' EXIT
mkdir -p "$data/2026-11-03" "$data/2026-11-04"
cp examples/polystyrene/*.txt build/qt/torvane "$data/"
mkdir -p docs
export QT_QPA_PLATFORM=xcb TORVANE_DOCS=$PWD/docs
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  cd "$1"
  ./torvane &
  # find NAME: the first window of that title, waited for.
  find() {
    for _ in $(seq 100); do
      xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 && return
      sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
  }
  window=$(find "^Torvane\$")
  sleep 1  # the first paint
  import -window "$window" "$TORVANE_DOCS/screenshot.png"
  xdotool windowfocus --sync "$window"
  # From "定位文件夹..." the tab order visits the location, the heading count, both range ends,
  # the name and "执行".
  xdotool key Tab Tab Tab && xdotool type 990 && xdotool key Tab && xdotool type 1010
  xdotool key Tab Tab space
  find "^提示\$" >/dev/null
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$TORVANE_DOCS/completion.png"
  xdotool key Return
  sleep 0.5
  xdotool mousemove --window "$window" 112 88 click 1  # "定位文件夹..."
  dialog=$(find "^请选择一个文件夹：\$")
  sleep 1
  import -window "$dialog" "$TORVANE_DOCS/folder-dialog.png"
  xdotool key Escape
  sleep 0.3
  kill %1' _ "$data"
echo "Saved docs/screenshot.png, docs/completion.png and docs/folder-dialog.png"
