#!/usr/bin/env bash
# Installs, through apt-get, whatever of the build and test dependencies this Debian machine lacks.
set -euo pipefail
packages=(g++ clang clang-format libclang-rt-14-dev cmake ninja-build qt6-base-dev qt6-translations-l10n libgl-dev
    libbenchmark-dev xvfb xauth fonts-dejavu-core desktop-file-utils appstream dpkg-dev lintian python3 hunspell
    hunspell-ru)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
