#!/usr/bin/env bash
# Builds Brumo three ways and runs every test: the plain build, the build with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz targets.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

need_packages "${build_packages[@]}" xvfb xdotool xclip fonts-dejavu-core locales valgrind \
    dpkg-dev desktop-file-utils appstream \
    clang-14 libclang-rt-14-dev

# The end-to-end run under a German locale needs that locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "The German locale is missing. Please run as root:" >&2
        echo "  localedef -i de_DE -c -f UTF-8 de_DE.UTF-8" >&2
        exit 1
    fi
    localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi

configure_and_build "$root/build"
configure_and_build "$root/build-asan" -DBRUMO_SANITIZE=ON
configure_and_build "$root/build-fuzz" -DBRUMO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14

status=0
for dir in build build-asan build-fuzz; do
    echo "== tests in $dir"
    ctest --test-dir "$root/$dir" --output-on-failure || status=1
done
exit $status
