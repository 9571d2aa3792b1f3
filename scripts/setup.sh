#!/usr/bin/env bash
# Installs every Debian package the project needs, quietly; returns at once when all are present.
set -euo pipefail

packages=(
    cmake ninja-build ccache pkg-config g++
    libavcodec-extra libavcodec-dev libavformat-dev libavfilter-dev libavdevice-dev
    libswscale-dev libswresample-dev libavutil-dev
    libsdl2-dev libxext-dev zlib1g-dev libjpeg62-turbo-dev libpng-dev libgif-dev
    libfreetype-dev libfontconfig-dev
    fonts-wqy-microhei fonts-dejavu-core fonts-liberation2
    libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev
    xvfb xauth libxtst-dev libxfixes-dev openbox xcompmgr trayer
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
