#!/usr/bin/env bash
# Installs what is missing, builds, and starts Emotipad on the user's own
# dictionary, seeding it from the starter dictionary the first time.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run it as: xvfb-run -a ./run.sh" >&2
    exit 1
fi
"$top/scripts/deps.sh" build
"$top/scripts/build.sh"
data=${XDG_DATA_HOME:-$HOME/.local/share}/emotipad
mkdir -p "$data"
if [ ! -e "$data/kaomoji.dat" ]; then
    cp "$top/app/data/kaomoji.dat" "$data/kaomoji.dat"
    echo "Seeded $data/kaomoji.dat from the starter dictionary."
fi
cd "$data"
exec "${BUILD_DIR:-$top/build}/app/emotipad"
