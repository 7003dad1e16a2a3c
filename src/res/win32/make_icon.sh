#!/usr/bin/env bash
# Draws the application icon (resource 128): a page of a web design with a
# coloured title bar and swatches over a blue tile, at 32x32 and 16x16.
# Needs ImageMagick; the result, tplsetup.ico, is committed.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {  # size in pixels; coordinates are given for 32 and scaled
  local size=$1
  local s
  s() { echo $(( $1 * size / 32 )); }
  convert -size "${size}x${size}" xc:none \
    -fill '#1f5fbf' -draw "roundrectangle 0,0 $(s 31),$(s 31) $(s 5),$(s 5)" \
    -fill white -draw "rectangle $(s 6),$(s 4) $(s 25),$(s 27)" \
    -fill '#e07020' -draw "rectangle $(s 6),$(s 4) $(s 25),$(s 9)" \
    -fill '#30a040' -draw "rectangle $(s 9),$(s 13) $(s 14),$(s 18)" \
    -fill '#d0b020' -draw "rectangle $(s 17),$(s 13) $(s 22),$(s 18)" \
    -fill '#7f7f7f' -draw "rectangle $(s 9),$(s 21) $(s 22),$(s 23)" \
    "PNG32:$work/icon$size.png"
}
draw 32
draw 16
convert "$work/icon16.png" "$work/icon32.png" tplsetup.ico
