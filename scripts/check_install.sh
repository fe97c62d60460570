#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the program as a user installs it. Builds the Debian packages, runs
# lintian on them (an error or a warning fails), checks that the data package
# is architecture-independent and compressed with xz, and compares their file
# lists with desktop/package_files.txt and desktop/data_package_files.txt;
# validates the desktop
# entry, its metainfo and its type of paintings; unpacks it into a staging
# root and starts the installed desktop program there offscreen, from an
# unrelated folder, with a temporary home: it opens a painting named by a
# relative path, paints a stroke through a script of messages
# (SMUDGECRAFT_MESSAGE_SCRIPT), saves it and exits, and must leave its own
# files in its data folder and its picture cache in its cache folder only. Finally the installed thumbnailer makes a
# picture of the painting.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

fail() {
  echo "check_install: $*" >&2
  exit 1
}

bash scripts/package.sh >/dev/null
deb=$(ls build/smudgecraft_*.deb)
data_deb=$(ls build/smudgecraft-data_*.deb)
tmp=$(mktemp -d /tmp/smudgecraft-install-XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# What a distribution checks first.
lintian --fail-on error,warning "$deb" "$data_deb" || fail "lintian reports an error or a warning"
[ "$(dpkg-deb -f "$data_deb" Architecture)" = all ] || fail "the data package is not architecture-independent"
for package in "$deb" "$data_deb"; do
  ar t "$package" | grep -qx 'data.tar.xz' || fail "$(basename "$package") is not compressed with xz"
done

# The packages hold exactly the expected files.
contents() {
  dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|' | grep -v '/$' | sort
}
contents "$deb" >"$tmp/contents"
diff -u desktop/package_files.txt "$tmp/contents" || fail "the package's files differ from desktop/package_files.txt"
contents "$data_deb" >"$tmp/data_contents"
diff -u desktop/data_package_files.txt "$tmp/data_contents" ||
  fail "the data package's files differ from desktop/data_package_files.txt"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -x "$data_deb" "$root"
share=$root/usr/share
desktop-file-validate "$share/applications/org.example.smudgecraft.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/org.example.smudgecraft.metainfo.xml" >/dev/null || fail "metainfo"
mkdir -p "$tmp/mime/packages"
cp "$share/mime/packages/smudgecraft.xml" "$tmp/mime/packages/"
update-mime-database "$tmp/mime" 2>/dev/null || fail "type of paintings"
grep -q '^\*\.pai$' <(cut -d: -f3 "$tmp/mime/globs2") || fail "no *.pai glob in the type database"
[ -s "$tmp/mime/magic" ] || fail "no magic number in the type database"
for picture in $(grep -o 'src="guide/[^"]*"' "$share/smudgecraft/guide.html" | sed 's/^src="//; s/"$//'); do
  [ -f "$share/smudgecraft/$picture" ] || fail "the guide shows $picture, which is not installed"
done

# The installed program, started elsewhere with a home of its own.
home=$tmp/home
work=$tmp/elsewhere
mkdir -p "$home" "$work/sub" "$tmp/runtime"
chmod 700 "$tmp/runtime"
run() {
  (cd "$work" && env -u XDG_DATA_DIRS -u XDG_CONFIG_DIRS HOME="$home" XDG_DATA_HOME="$home/.local/share" \
    XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" XDG_STATE_HOME="$home/.local/state" \
    XDG_RUNTIME_DIR="$tmp/runtime" QT_QPA_PLATFORM=offscreen "$@")
}
run "$root/usr/bin/smudgecraft-batch" run - <<<$'new 300 200\nsave sub/blank.pai' || fail "the batch program"
{
  echo "wait 20"
  echo "move 40 100"
  echo "press 40 100"
  for x in $(seq 42 2 260); do echo "move $x 100"; done
  echo "release 260 100"
  echo "save painted.pai"
  echo "command 1009"
} >"$work/drive.txt"
SMUDGECRAFT_MESSAGE_SCRIPT=drive.txt run timeout 60 "$root/usr/bin/smudgecraft" sub/blank.pai \
  >"$tmp/program.log" 2>&1 || { cat "$tmp/program.log" >&2; fail "the installed program did not run to its end"; }

[ -f "$work/painted.pai" ] || fail "the painting was not saved"
run "$root/usr/bin/smudgecraft-batch" render sub/blank.pai blank.bmp
run "$root/usr/bin/smudgecraft-batch" render painted.pai painted.bmp
! cmp -s "$work/blank.bmp" "$work/painted.bmp" || fail "the stroke painted nothing"

# Its files: in the data folder, with the starting lists, the picture cache
# in the cache folder, and nowhere else.
data=$home/.local/share/smudgecraft
for f in prefs.dat data/palette.dat data/strokes.dat .cache/smudgecraft/splash.jgi .cache/smudgecraft/paint17.jgi; do
  case $f in .cache/*) f=$home/$f ;; *) f=$data/$f ;; esac
  [ -f "$f" ] || fail "$f is missing"
done
cmp -s "$data/data/strokes.dat" "$share/smudgecraft/presets/strokes.dat" || fail "the starting strokes were not copied"
[ -z "$(find "$data" -name '*.jgi')" ] || fail "picture cache files among the user's lists"
stray=$(cd "$home" && find . -type f ! -path './.local/share/smudgecraft/*' ! -path './.cache/smudgecraft/*')
[ -z "$stray" ] || fail "files outside the data and cache folders: $stray"
[ "$(cd "$work" && find . -type f | sort | tr '\n' ' ')" = "./blank.bmp ./drive.txt ./painted.bmp ./painted.pai ./sub/blank.pai " ] ||
  fail "files written where the program was started: $(cd "$work" && find . -type f)"

# What a file manager runs for a thumbnail.
exec_line=$(sed -n 's/^Exec=//p' "$share/thumbnailers/smudgecraft.thumbnailer")
exec_line=${exec_line//%i/$work/painted.pai}
exec_line=${exec_line//%o/$tmp/thumbnail.png}
exec_line=${exec_line//%s/128}
read -r -a words <<<"$exec_line"
PATH="$root/usr/bin:$PATH" "${words[@]}" || fail "the thumbnailer failed"
# A PNG file: the signature, then the header chunk with width and height.
size=$(od -An -tu1 -j16 -N8 "$tmp/thumbnail.png" | awk '{print ($3 * 256 + $4) "x" ($7 * 256 + $8)}')
[ "$(head -c4 "$tmp/thumbnail.png" | od -An -c | tr -d ' ')" = '211PNG' ] || fail "the thumbnail is no PNG picture"
[ "$size" = 128x85 ] || fail "the thumbnail is $size, not 128x85"

echo "check_install: $(basename "$deb") and $(basename "$data_deb") pass lintian, install, start elsewhere, paint, save and keep to their folders"
