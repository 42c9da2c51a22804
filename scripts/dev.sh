#!/usr/bin/env bash
# Sets up a Debian machine for tessel-config and builds it.
#   scripts/dev.sh run [tessel|threshold]  install what is missing, build, start on the simulated module
#   scripts/dev.sh test [--sanitize]       install what is missing, build, run the whole suite headless
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++ pkg-config qt6-base-dev qt6-serialport-dev libgl-dev libgtest-dev
          # the window icon is drawn from its SVG while building
          librsvg2-bin
          # the Debian package and the checks of what is installed
          dpkg-dev file desktop-file-utils appstream groff-base)

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

build() {
    local dir=$1; shift
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build build
    exec ./build/src/app/tessel-config --simulate "${2:-tessel}"
    ;;
test)
    install_missing
    dir=build
    options=()
    if [ "${2:-}" = "--sanitize" ]; then
        dir=build-sanitize
        options=(-DTESSEL_SANITIZE=ON)
    fi
    build "$dir" "${options[@]}"
    export QT_QPA_PLATFORM=offscreen
    ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run [tessel|threshold] | test [--sanitize]" >&2
    exit 2
    ;;
esac
