#!/usr/bin/env bash
# Builds Brumo and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages "${build_packages[@]}" xvfb xdotool fonts-dejavu-core
configure_and_build
ctest --test-dir "$build" --output-on-failure --timeout 600
