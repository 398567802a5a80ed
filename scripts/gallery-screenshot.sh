#!/usr/bin/env bash
# Saves a screenshot of the component gallery as docs/gallery.png, from an
# existing build (BUILD_DIR, default ./build); it builds nothing itself.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
gallery=$build/examples/gallery
out=${1:-$top/docs/gallery.png}
if [ ! -x "$gallery" ]; then
    echo "no gallery at $gallery; build first (BUILD_DIR=...)" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
# Offscreen by default; GALLERY_XVFB=1 renders through a virtual X server.
if [ "${GALLERY_XVFB:-0}" = 1 ]; then
    xvfb-run -a "$gallery" --screenshot "$out"
else
    QT_QPA_PLATFORM=offscreen "$gallery" --screenshot "$out"
fi
echo "saved $out"
