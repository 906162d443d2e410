#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev
  libqt6svg6 libqt6multimedia6 qt6-qpa-plugins
  libjpeg-dev libgif-dev zlib1g-dev
  libgtest-dev googletest
  fonts-dejavu-core fonts-dejavu-extra fonts-freefont-ttf fonts-urw-base35
  xvfb xauth imagemagick pgn-extract librsvg2-bin
  python3 python3-pil fonts-symbola
  time
  xdg-utils desktop-file-utils
  appstream libxml2-utils man-db bash-completion shared-mime-info
  dpkg-dev lintian
  poppler-utils
)

# The one-node Slurm cluster of scripts/slurm_test.sh; without them that test is skipped.
CLUSTER_PACKAGES=(slurmctld slurmd slurm-client munge)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
missing_cluster=()
for p in "${CLUSTER_PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing_cluster+=("$p")
done
[ ${#missing[@]} -eq 0 ] && [ ${#missing_cluster[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ${#missing_cluster[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing_cluster[@]}" ||
    echo "setup: the Slurm packages could not be installed; the cluster test will be skipped" >&2
fi
