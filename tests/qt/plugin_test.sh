#!/usr/bin/env bash
# A copy of the Qt program in a data folder that also holds a qt.conf (and a qt6.conf) sending Qt
# to a planted plugin folder, and platforms/ and imageformats/ folders of its own. Each planted
# plugin is a marker that leaves "<its path>.loaded" when it is loaded. Qt is asked first for a
# platform that only the markers offer, then for its own offscreen one. The window must start as
# usual, with Qt's own platform and icon plugins, and no marker may have run.
#
#   plugin_test.sh PROGRAM QT_PLUGIN_FOLDER PLATFORM_MARKER IMAGE_FORMAT_MARKER WORK
set -u
program=$1 qt_plugins=$2 platform_marker=$3 image_marker=$4 work=$5
data=$work/数据
rm -rf "$work"
mkdir -p "$data" "$work/control/platforms"
cp "$program" "$data/"
cp "$program" "$work/control/"
for dir in "$data" "$data/planted"; do
  mkdir -p "$dir/platforms" "$dir/imageformats"
  cp "$platform_marker" "$dir/platforms/libmarker.so"
  cp "$image_marker" "$dir/imageformats/libmarker.so"
done
printf '[Paths]\nPrefix=%s\nPlugins=%s\n' "$data/planted" "$data/planted" >"$data/qt.conf"
cp "$data/qt.conf" "$data/qt6.conf"
cp "$platform_marker" "$work/control/platforms/libmarker.so"

fail() {
  echo "plugin_test: $*" >&2
  ran=$(cd "$data" && find . -name '*.loaded' | sort)
  [ -n "$ran" ] && echo "plugin_test: planted plugins ran: $ran" >&2
  exit 1
}

# Starts the program's copy in FOLDER and waits until its window has loaded the icon's image
# plugin, then ends it. Prints the plugins it had loaded.
start_window() {
  (cd "$1" && exec ./"$(basename "$program")") &
  local pid=$! maps=""
  for _ in $(seq 300); do
    maps=$(cat "/proc/$pid/maps" 2>/dev/null) || break
    [[ $maps == */imageformats/libqico.so* ]] && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  grep -o '/[^ ]*/\(platforms\|imageformats\)/[^ ]*\.so' <<<"$maps" | sort -u
}

# A marker loads where Qt is told to look: an explicit platform plugin folder.
QT_QPA_PLATFORM="torvanemarker;offscreen" QT_QPA_PLATFORM_PLUGIN_PATH="$work/control/platforms" \
  start_window "$work/control" >/dev/null 2>&1
[ -e "$work/control/platforms/libmarker.so.loaded" ] ||
  fail "a marker plugin in a platform plugin folder did not load: the test cannot see a plant"

loaded=$(QT_QPA_PLATFORM="torvanemarker;offscreen" start_window "$data")
[[ $loaded == *"$qt_plugins/platforms/libqoffscreen.so"* ]] ||
  fail "the window did not start on Qt's own offscreen platform; it loaded: $loaded"
[[ $loaded == *"$qt_plugins/imageformats/libqico.so"* ]] ||
  fail "the window did not load Qt's own icon plugin; it loaded: $loaded"
[ -z "$(cd "$data" && find . -name '*.loaded')" ] || fail "the window loaded planted plugins"
echo "no planted plugin ran"
