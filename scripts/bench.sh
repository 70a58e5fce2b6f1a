#!/usr/bin/env bash
# Builds and runs the benchmark; without a display it brings its own X server.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages "${build_packages[@]}" xvfb xauth
configure_and_build "$root/build"
cmake --build "$root/build" --target brumo_bench --parallel "$(nproc)"

if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$root/build/brumo_bench"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$root/build/brumo_bench"
