#!/usr/bin/env bash
# Installs the Debian packages Tallyscan 6 needs to build and test, skipping those already present.
# Works as root (CI) or through sudo. Packages named as arguments are installed as well (the
# sanitizer and fuzz runs add clang).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev
    qt6-base-dev qt6-svg-dev fonts-dejavu-core fonts-liberation2
    libhunspell-dev hunspell-en-us
    libzip-dev p7zip-full unzip
    libicu-dev
    python3 python3-yaml python3-jsonschema
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
