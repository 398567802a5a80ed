#!/usr/bin/env bash
# Takes a picture of the real main window, started on the starter dictionary,
# for the README: docs/main-window.png. Runs offscreen; needs a build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
[ -x "$build/app/emotipad_screenshot" ] || "$top/scripts/build.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$top/app/data/kaomoji.dat" "$work/"
mkdir -p "$top/docs"
(cd "$work" && QT_QPA_PLATFORM=offscreen "$build/app/emotipad_screenshot" "$top/docs/main-window.png")
echo "Wrote $top/docs/main-window.png"
