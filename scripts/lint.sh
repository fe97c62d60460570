#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Holds the house style. clang-format (.clang-format) over every C++ file of
# src/ apps/ tests/ bench/ fuzz/, and clang-tidy (.clang-tidy) over the
# program's own sources, src/ and apps/ (their headers through the tidy
# configuration's header filter). Fails on a format difference or a tidy
# finding.
#
#   bash scripts/lint.sh              check both; exit 1 on any difference or finding
#   bash scripts/lint.sh --fix        apply clang-format to the files, then check tidy
#   bash scripts/lint.sh --format     the format half alone (with --fix: apply it)
#   bash scripts/lint.sh --tidy       the tidy half alone
#
# Tidy reads build-lint/compile_commands.json, which configuring makes (no build
# is needed). A file's findings are kept under the hash of its preprocessed
# text (comments kept, line markers dropped, so no paths) and the
# configuration, in $SMUDGECRAFT_LINT_CACHE (by default
# $XDG_CACHE_HOME/smudgecraft-lint, outside the tree, so that a fresh clone on
# the same machine reuses it): a second run checks only what changed.
# LINT_JOBS (default: the processor count) files run at once.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
format=1
tidy=1
for arg in "$@"; do
  case "$arg" in
    --fix) fix=1 ;;
    --format) tidy=0 ;;
    --tidy) format=0 ;;
    *)
      echo "usage: bash scripts/lint.sh [--fix] [--format | --tidy]" >&2
      exit 2
      ;;
  esac
done
jobs="${LINT_JOBS:-$(nproc)}"
status=0

if [ "$format" -eq 1 ]; then
  mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'apps/*.cpp' 'apps/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
  if [ "$fix" -eq 1 ]; then
    printf '%s\0' "${files[@]}" | xargs -0 -n 20 -P "$jobs" clang-format -i --style=file
    echo "lint: formatted ${#files[@]} files"
  else
    differing=$(printf '%s\0' "${files[@]}" | xargs -0 -n 1 -P "$jobs" sh -c \
      'clang-format --style=file "$1" | cmp -s "$1" - || echo "$1"' sh | sort)
    if [ -n "$differing" ]; then
      echo "lint: clang-format would change these files (bash scripts/lint.sh --fix applies it):" >&2
      echo "$differing" | sed 's/^/  /' >&2
      status=1
    else
      echo "lint: ${#files[@]} files formatted as .clang-format says"
    fi
  fi
fi

if [ "$tidy" -eq 1 ]; then
  cmake -S . -B build-lint -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DSMUDGECRAFT_BENCH=OFF >/dev/null
  cache="${SMUDGECRAFT_LINT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/smudgecraft-lint}"
  mkdir -p "$cache"
  mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'apps/*.cpp')
  export cache
  config_hash=$(cat .clang-tidy | sha256sum | cut -c1-16)
  export config_hash
  # One file: its preprocessed text (with the command that makes it) and the
  # configuration name its cache entry; an entry holds the file's findings.
  # shellcheck disable=SC2016
  printf '%s\0' "${sources[@]}" | xargs -0 -n 1 -P "$jobs" sh -c '
    f="$1"
    cmd=$(python3 -c "
import json, shlex, sys
for e in json.load(open(\"build-lint/compile_commands.json\")):
    if e[\"file\"].endswith(\"/\" + sys.argv[1]):
        words = shlex.split(e[\"command\"])
        i = words.index(\"-o\")
        del words[i:i + 2]
        words = [w for w in words if w != \"-c\"]
        print(shlex.join(words + [\"-E\", \"-C\"]))
        break
" "$f")
    [ -n "$cmd" ] || { echo "lint: $f is not built" >&2; exit 255; }
    key=$( { eval "$cmd" 2>/dev/null | grep -v "^# [0-9]"; echo "$config_hash"; } | sha256sum | cut -c1-32)
    entry="$cache/$key"
    if [ ! -f "$entry" ]; then
      clang-tidy -p build-lint --quiet "$f" 2>/dev/null | grep -E "^[^ ].*(warning|error):" >"$entry.tmp" || true
      mv "$entry.tmp" "$entry"
    fi
    cat "$entry"
  ' sh >build-lint/tidy-findings.txt
  if [ -s build-lint/tidy-findings.txt ]; then
    sort -u build-lint/tidy-findings.txt >&2
    echo "lint: clang-tidy findings above ($(sort -u build-lint/tidy-findings.txt | wc -l))" >&2
    status=1
  else
    echo "lint: clang-tidy found nothing in ${#sources[@]} files"
  fi
fi

exit $status
