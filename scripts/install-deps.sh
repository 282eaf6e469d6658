#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need; quick when all are
# there already.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
    libsqlite3-dev sqlite3
    libsdl2-mixer-dev timgm6mb-soundfont
    xvfb xauth x11-apps openbox imagemagick poppler-utils fonts-liberation2
    python3 python3-aiosmtpd
    desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
