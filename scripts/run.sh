#!/usr/bin/env bash
# Builds Brumo if needed and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages "${build_packages[@]}"
configure_and_build "$root/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<MSG
Brumo needs a graphical display, and none is set (DISPLAY is empty).
Start it from a desktop session, or give it a virtual X server:
  apt-get install -y xvfb && xvfb-run -a $0
MSG
    exit 1
fi
exec "$root/build/brumo" "$@"
