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

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
