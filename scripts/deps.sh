#!/usr/bin/env bash
# Installs the Debian packages that building (and, with "test", testing) needs,
# only those that are missing. Usage: scripts/deps.sh build|test
set -euo pipefail

build_pkgs=(g++ cmake make pkg-config qt6-base-dev qt6-tools-dev qt6-tools-dev-tools libgl-dev
            fonts-ipafont-gothic qt6-wayland)
test_pkgs=(python3-pyftpdlib xvfb xauth xclip xdotool x11-utils curl)

want=("${build_pkgs[@]}")
if [ "${1:-build}" = test ]; then
    want+=("${test_pkgs[@]}")
fi

missing=()
for p in "${want[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
