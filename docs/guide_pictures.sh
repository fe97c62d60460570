#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Paints the user guide's pictures with the program itself: each tool's
# stroke, each filter's effect, a painting in layers, each paint style and
# each texture. The
# strokes are written as smudgecraft-batch scripts (below), run, and every
# painting is turned into a PNG picture by `smudgecraft-batch thumbnail`, so
# the guide always shows the program's own output.
#
#   bash docs/guide_pictures.sh BATCH RUN_DIR OUT_DIR WORK_DIR
#
# BATCH is smudgecraft-batch, RUN_DIR the folder with WorkData/ (the style
# and texture pictures), OUT_DIR receives the PNG pictures, WORK_DIR holds
# the scripts, paintings and picture cache while they are made.
set -euo pipefail
if [ $# -ne 4 ]; then
  echo "usage: guide_pictures.sh BATCH RUN_DIR OUT_DIR WORK_DIR" >&2
  exit 2
fi
batch=$1 run_dir=$2 out_dir=$3 work=$4

rm -rf "$work"
mkdir -p "$work" "$out_dir"
ln -s "$run_dir/WorkData" "$work/WorkData"

# A wavy stroke from (X0, Y) to (X1, Y), AMPLITUDE pixels up and down, one
# wave every 2 pi PERIOD pixels (48 unless given), with a pointer movement and
# one application of the tool every 2 pixels.
wave() {
  awk -v x0="$1" -v x1="$2" -v y="$3" -v a="$4" -v p="${5:-48}" 'BEGIN {
    print "begin"
    px = x0; py = y
    for (x = x0; x <= x1; x += 2) {
      yy = int(y + a * sin((x - x0) / p))
      print "move", x - px, yy - py
      print "apply", x, yy
      px = x; py = yy
    }
    print "end"
  }'
}

# The painting the tools that change paint and the filters work on: three
# thick bands of coloured paint across a W x H canvas.
bands() {
  local w=$1 h=$2
  echo "new $w $h"
  echo "settings tool=0 red=196 green=64 blue=50 paintStyle=2 texture=3 thickness=10 size=$((h / 4)) strength=0.7 shine=255 hardness=40"
  wave 16 $((w - 16)) $((h / 5)) 8
  echo "settings red=226 green=178 blue=52 paintStyle=1 texture=1"
  wave 16 $((w - 16)) $((h / 2)) 8
  echo "settings red=44 green=82 blue=160 paintStyle=4 texture=5"
  wave 16 $((w - 16)) $((h * 4 / 5)) 8
}

# Tools: name, tool number, the brush, and whether it works on paint that is
# there (on the bands, shown alone as tool-base) or lays its own (on a white
# canvas). The Eye Dropper and the Hand Tool change no paint.
tool_picture() {
  local name=$1 tool=$2 on_bands=$3 brush=$4
  if [ "$on_bands" = yes ]; then bands 480 144; else echo "new 480 144"; fi
  echo "settings tool=$tool $brush"
  wave 40 440 72 32
  echo "save tool-$name.pai"
}


{
  echo "assets ."
  bands 480 144
  echo "save tool-base.pai"
  tool_picture tube-paint 0 no "red=200 green=40 blue=30 paintStyle=1 texture=4 thickness=12 size=24 strength=0.7 shine=255 hardness=0"
  tool_picture paint-brush 1 no "red=46 green=120 blue=60 paintStyle=2 texture=1 thickness=8 size=28 strength=0.5 shine=200 hardness=0"
  tool_picture spray-paint 5 no "red=60 green=110 blue=200 paintStyle=8 texture=0 thickness=1 size=32 strength=1 shine=60 hardness=0"
  tool_picture gel-brush 9 no "red=200 green=190 blue=170 paintStyle=0 texture=7 thickness=12 size=32 strength=0.5 shine=255 hardness=0"
  tool_picture knife 17 yes "paintStyle=0 texture=0 thickness=10 size=24 strength=0.6 shine=255 hardness=0"
  tool_picture finger 18 yes "paintStyle=0 texture=0 thickness=10 size=20 strength=0.5 shine=255 hardness=0"
  tool_picture sponge 6 yes "paintStyle=0 texture=6 thickness=10 size=28 strength=1 shine=255 hardness=0"
  tool_picture eraser 2 yes "paintStyle=0 texture=0 thickness=10 size=20 strength=0.8 shine=255 hardness=50"
  tool_picture brighten 10 yes "paintStyle=0 texture=0 thickness=10 size=28 strength=1 shine=255 hardness=0"
  tool_picture darken 11 yes "paintStyle=0 texture=0 thickness=10 size=28 strength=0.3 shine=255 hardness=0"
  tool_picture shine 13 yes "paintStyle=0 texture=0 thickness=10 size=28 strength=0.5 shine=255 hardness=0"
  tool_picture matte 14 yes "paintStyle=0 texture=0 thickness=10 size=28 strength=1 shine=0 hardness=0"
  tool_picture raise 15 yes "paintStyle=0 texture=11 thickness=10 size=24 strength=1 shine=255 hardness=0"
  tool_picture lower 16 yes "paintStyle=0 texture=0 thickness=10 size=20 strength=1 shine=255 hardness=80"

  # Filters: the bands as they are, then each filter on them (after a render,
  # as in the program, where the picture is always up to date), with a green
  # brush for the fills.
  bands 320 192
  echo "save filter-before.pai"
  echo "settings red=70 green=150 blue=90 paintStyle=9 texture=13"
  for filter in invertColours desaturate solarize night aqua invertPaint fillPaint invertRelief fillRelief \
                inflate deflate outline enhance sicken defenestrate clearCanvas flatten; do
    echo "open filter-before.pai"
    echo "render"
    echo "filter $filter"
    echo "save filter-$filter.pai"
  done

  # Layers: a ground on the background, a layer painted over it, that
  # layer at half opacity, and hidden.
  echo "new 200 72"
  echo "settings tool=0 red=226 green=178 blue=52 paintStyle=4 texture=1 thickness=10 size=26 strength=0.7 shine=255 hardness=30"
  wave 8 192 20 3
  echo "settings red=196 green=64 blue=50 paintStyle=1 texture=1"
  wave 8 192 52 3
  echo "save layers-ground.pai"
  echo "layer-add Glaze"
  echo "settings red=44 green=82 blue=160 paintStyle=2 texture=5 size=12"
  wave 16 184 36 20
  echo "save layers-over.pai"
  echo "layer-opacity 2 0.5"
  echo "save layers-half.pai"
  echo "layer-opacity 2 1"
  echo "layer-visible 2 0"
  echo "save layers-hidden.pai"

  # Paint styles: a broad stroke of dark paint in each (a style's grain
  # brightens the paint), on a smooth canvas; textures: a Tube Paint stroke
  # on each, in a plain style.
  for i in $(seq 0 17); do
    echo "new 240 96"
    echo "settings tool=0 red=40 green=52 blue=76 paintStyle=$i texture=0 thickness=4 size=40 strength=1 shine=120 hardness=60"
    wave 28 212 48 12
    echo "save style-$i.pai"
    echo "new 240 96"
    echo "settings tool=0 red=190 green=120 blue=60 paintStyle=0 texture=$i thickness=10 size=28 strength=0.7 shine=255 hardness=0"
    wave 28 212 48 12
    echo "save texture-$i.pai"
  done
} > "$work/pictures.script"

(cd "$work" && "$batch" run pictures.script)
for painting in "$work"/*.pai; do
  name=$(basename "$painting" .pai)
  "$batch" thumbnail "$painting" "$out_dir/$name.png" 1000
done
rm -rf "$work"
