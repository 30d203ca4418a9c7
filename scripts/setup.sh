#!/usr/bin/env bash
# Installs the Debian packages the program needs to build, test and run,
# only those that are missing (with sudo when not root).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-qpa-plugins libgl-dev
    qt6-translations-l10n
    libxlsxwriter-dev unzip
    fonts-liberation2 fonts-liberation
    libgtest-dev libgmock-dev libbenchmark-dev
    cups cups-client cups-bsd printer-driver-cups-pdf
    clang-14 libclang-rt-14-dev clang-format-14
    poppler-utils qpdf dpkg-dev file ccache gcovr
    hunspell hunspell-ru
    locales
    xvfb openbox xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The students' desktops run in Russian: the tests run under ru_RU.UTF-8 (a
# decimal comma in the C library), so the locale must exist.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
    echo "Generating the locale ru_RU.UTF-8"
    $sudo sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'ru_RU.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
