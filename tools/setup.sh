#!/usr/bin/env bash
# Installs what the build needs (Debian/Ubuntu packages) when it is missing,
# then configures and builds everything into build/ (or $VANTOREL_BUILD_DIR).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${VANTOREL_BUILD_DIR:-$here/build}

packages=(
    cmake g++ make pkg-config
    qtbase5-dev qtdeclarative5-dev qtdeclarative5-dev-tools
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qttest
    libqt5network5 libssl3 openssl
    xvfb xauth fonts-dejavu-core dbus
    gnome-keyring libsecret-1-0 libsecret-1-dev libsecret-tools
    qttools5-dev-tools librsvg2-bin desktop-file-utils rpm
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S "$here" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build "$build_dir" -j"$(nproc)"
