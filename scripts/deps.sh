#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing. Sourced by ./run and ./test.
tolmena_install_deps() {
    local packages=(g++ cmake ninja-build pkg-config libjpeg62-turbo-dev libpng-dev zlib1g-dev
                    libgtest-dev nlohmann-json3-dev qt6-base-dev qt6-svg-dev qt6-translations-l10n
                    libxcb1-dev libheif-dev libwebp-dev libjxl-dev
                    "$@")
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq >&2 &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >&2
}
