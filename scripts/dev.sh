#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Sets up a Debian machine for tessel-config and builds it.
#   scripts/dev.sh run [tessel|threshold]  install what is missing, build, start on the simulated module
#   scripts/dev.sh test [--sanitize]       install what is missing, build, run the whole suite headless
#   scripts/dev.sh package                 build the Debian package with dpkg-buildpackage into
#                                          build-package/ and check it with lintian
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev libgl-dev libgtest-dev
          # the window icon is drawn from its SVG while building
          librsvg2-bin
          # the windows' translations: lupdate and lrelease, and Qt's own catalogues
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          # the Debian package and the checks of what is installed
          dpkg-dev file desktop-file-utils appstream groff-base mandoc
          # the shells whose completions the install test loads
          bash-completion zsh fish
          # the production record's databases (Qt SQL's drivers, loaded when a record opens)
          libqt6sql6-sqlite libqt6sql6-psql)

install_missing() {
    local missing=()
    for p in "${packages[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# build DIR TYPE [CMAKE OPTIONS...]: the program and its tests. A folder set up before keeps the
# generator it was made with.
build() {
    local dir=$1 type=$2; shift 2
    local options=(-DCMAKE_BUILD_TYPE="$type")
    [ -f "$dir/CMakeCache.txt" ] || options+=(-G Ninja)
    if command -v ccache >/dev/null; then
        options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        # ccache caches files built on a precompiled header only when told to trust it.
        export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
        # Paths relative to the checkout, so that two checkouts of the project share the cache.
        export CCACHE_BASEDIR="$PWD"
    fi
    cmake -S . -B "$dir" "${options[@]}" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build build Release
    exec ./build/src/app/tessel-config --simulate "${2:-tessel}"
    ;;
test)
    # The shared production record is tested against a PostgreSQL server the test starts.
    install_missing postgresql
    # Debug information only where a sanitizer's report needs it: it is a third of the build.
    dir=build type=Release options=()
    if [ "${2:-}" = "--sanitize" ]; then
        dir=build-sanitize type=RelWithDebInfo
        options=(-DTESSEL_SANITIZE=ON)
    fi
    build "$dir" "$type" "${options[@]}"
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
    ;;
package)
    install_missing debhelper lintian
    # dpkg-buildpackage writes the package beside the source folder, so it builds a copy of the
    # checkout (without its build folders) inside build-package/.
    out=build-package
    rm -rf "$out"
    mkdir -p "$out/source"
    tar --exclude='./build*' --exclude=./.git -cf - . | tar -xf - -C "$out/source"
    command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache
    (cd "$out/source" && dpkg-buildpackage -us -uc -b)
    lintian --fail-on error,warning --display-info "$out"/*.changes
    ls "$out"/*.deb
    ;;
*)
    echo "usage: $0 run [tessel|threshold] | test [--sanitize] | package" >&2
    exit 2
    ;;
esac
