#!/usr/bin/env bash
# Turns the icon's source, resources/torvane.svg, into the files the build embeds and installs:
#   resources/torvane.ico            Windows: 32-bit images of 16, 20, 24, 32, 40 and 48 pixels
#                                    (the small and large icon at 100 % to 150 % display
#                                    scaling), 64 and 256 (Explorer's large views)
#   resources/icons/torvane-N.png    the desktop's icon theme: 16, 32, 48, 128 and 256 pixels
# Run it by hand after changing the SVG and commit what it writes; the build never runs it.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/../resources"
for tool in rsvg-convert convert; do
  command -v "$tool" >/dev/null || { echo "make-icons.sh needs $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
render() { rsvg-convert --width "$1" --height "$1" torvane.svg --output "$2"; }

ico_images=()
for size in 16 20 24 32 40 48 64 256; do
  render "$size" "$work/$size.png"
  ico_images+=("$work/$size.png")
done
# PNG32: every image of the .ico keeps 8 bits per channel and its alpha channel.
convert "${ico_images[@]/#/PNG32:}" torvane.ico

mkdir -p icons
for size in 16 32 48 128 256; do
  render "$size" "$work/theme.png"
  # -strip: no time stamps, so an unchanged SVG gives unchanged files.
  convert "PNG32:$work/theme.png" -strip "PNG32:icons/torvane-$size.png"
done
identify torvane.ico icons/*.png
