#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libqt6svg6 libqt6multimedia6 qt6-qpa-plugins
  libjpeg-dev libgif-dev
  libgtest-dev googletest
  fonts-dejavu-core fonts-dejavu-extra fonts-freefont-ttf fonts-urw-base35
  xvfb xauth imagemagick pgn-extract librsvg2-bin
  python3 python3-pil fonts-symbola
  time
  xdg-utils desktop-file-utils
  appstream libxml2-utils man-db bash-completion shared-mime-info
  dpkg-dev lintian
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
