#!/usr/bin/env bash
# Installs the Debian 12 packages that build and check the Debian package and run the desktop
# checks (Weston, Xvfb); skips what is there.
set -euo pipefail

packages=(
  dpkg-dev file fakeroot lintian man-db
  desktop-file-utils appstream
  qt6-wayland weston
  xvfb xauth xdotool x11-apps imagemagick
)

"$(dirname "$0")/apt-install-missing.sh" "${packages[@]}"
