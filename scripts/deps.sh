#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, when missing.
set -euo pipefail
packages=(cmake ninja-build g++ lld qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n
          libjpeg62-turbo-dev libxlsxwriter-dev pkg-config zlib1g-dev fonts-ipafont xvfb xauth
          poppler-utils postgresql libqt6sql6-psql libsqlite3-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
