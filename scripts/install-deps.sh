#!/usr/bin/env bash
# Installs, on a Debian 12 machine, every package the build, the tests and the demo run need.
# Only missing packages are installed, so a machine that has them all is left alone.
set -eu
packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick libxfixes3
    clang clang-format libclang-rt-14-dev python3 valgrind
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"; then
    $sudo_cmd apt-get update
    $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
