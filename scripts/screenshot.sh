#!/usr/bin/env bash
# Remakes docs/brumo.png: the window after a calculation, on its own X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages "${build_packages[@]}" xvfb xdotool imagemagick fonts-dejavu-core
configure_and_build "$root/build"

BRUMO="$root/build/brumo"
source "$root/tests/x11.sh"
work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb
cd "$work"
start_brumo
type_inputs 20 0 1013 50
click_start
wait_for_export
mkdir -p "$root/docs"
import -window "$BRUMO_WINDOW" "$root/docs/brumo.png"
click_close
wait_brumo
echo "wrote docs/brumo.png"
