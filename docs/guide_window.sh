#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the user guide's picture of the whole window: the desktop program is
# started on Qt's offscreen desktop, installed in a folder of its own with a
# home of its own, paints a few strokes through a script of messages, takes a
# picture of its windows and exits; the five panels are then named on the
# picture. So the guide always shows the program as it is.
#
#   bash docs/guide_window.sh PROGRAM RUN_DIR OUT.png WORK_DIR
#
# PROGRAM is the built smudgecraft, RUN_DIR the build tree's run folder (with
# WorkData/ and presets/), WORK_DIR a scratch folder, removed afterwards.
set -euo pipefail
if [ $# -ne 4 ]; then
  echo "usage: guide_window.sh PROGRAM RUN_DIR OUT.png WORK_DIR" >&2
  exit 2
fi
program=$(realpath "$1") run_dir=$(realpath "$2") out=$(realpath -m "$3") work=$(realpath -m "$4")
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

rm -rf "$work"
mkdir -p "$work/usr/bin" "$work/usr/share/smudgecraft" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
# An installation of its own: the program finds its files beside its real path.
cp "$program" "$work/usr/bin/smudgecraft"
ln -s "$run_dir/WorkData" "$work/usr/share/smudgecraft/WorkData"
ln -s "$run_dir/presets" "$work/usr/share/smudgecraft/presets"
# A screen the size of a common laptop's.
cat >"$work/screen.json" <<'JSON'
{ "screens": [ { "name": "guide", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96 } ] }
JSON

# A few strokes across the canvas, the picture, then save (so that Exit asks
# nothing) and exit.
{
  echo "wait 20"
  for y in 150 230 310; do
    echo "move 60 $y"
    echo "press 60 $y"
    awk -v y="$y" 'BEGIN { for (x = 64; x <= 520; x += 4) print "move", x, int(y + 28 * sin((x - 60) / 50)) }'
    echo "release 520 $y"
    echo "wait 2"
  done
  echo "wait 10"
  echo "picture $work/window.png"
  echo "save $work/first.pai"
  echo "command 1009"
} >"$work/script.txt"

# In a sanitizer build the leak check belongs to the test suite (with its
# suppressions), not to making a picture.
(cd "$work" && env -u XDG_DATA_DIRS -u XDG_CONFIG_DIRS HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
  XDG_CONFIG_HOME="$work/home/config" XDG_CACHE_HOME="$work/home/cache" XDG_RUNTIME_DIR="$work/runtime" \
  QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json" SMUDGECRAFT_MESSAGE_SCRIPT="$work/script.txt" \
  ASAN_OPTIONS="detect_leaks=0" timeout 300 "$work/usr/bin/smudgecraft" >"$work/log.txt" 2>&1) ||
  { cat "$work/log.txt" >&2; exit 1; }
[ -s "$work/window.png" ] || { cat "$work/log.txt" >&2; echo "guide_window.sh: no picture was taken" >&2; exit 1; }

# Each panel outlined and named, its name on the side towards the canvas.
draw=()
named=0
while read -r x y w h caption; do
  case "$caption" in
    *Properties*) name="Brush Properties" ;;
    *Colors*) name="Colors" ;;
    *Palette*) name="Palette" ;;
    *Tools*) name="Tools" ;;
    *Layers*) name="Layers" ;;
    *) continue ;;
  esac
  named=$((named + 1))
  width=$((${#name} * 11 + 16))
  if [ "$x" -lt 400 ]; then lx=$((x + w + 10)); else lx=$((x - width - 10)); fi
  ly=$((y + 8))
  draw+=(-fill none -stroke '#e8a33a' -strokewidth 3 -draw "rectangle $((x - 2)),$((y - 2)) $((x + w + 1)),$((y + h + 1))")
  draw+=(-fill '#38688a' -stroke '#e8a33a' -strokewidth 2 -draw "roundrectangle $lx,$ly $((lx + width)),$((ly + 28)) 6,6")
  draw+=(-stroke none -fill white -font "$font" -pointsize 16 -annotate "+$((lx + 8))+$((ly + 20))" "$name")
done <"$work/window.png.txt"
[ "$named" -eq 5 ] || { echo "guide_window.sh: found $named of the five panels" >&2; cat "$work/window.png.txt" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
convert "$work/window.png" "${draw[@]}" -strip "$out"
rm -rf "$work"
