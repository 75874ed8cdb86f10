#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and
# the machine lacks; does nothing when all is in place.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config      # the build
    libicu-dev                            # the locale's name order
    qt6-base-dev fonts-ipafont-gothic     # the window and its Japanese font
    libgtest-dev                          # the tests
    xvfb xauth xdotool                    # a virtual display for looking at the window
)
if [[ "${1:-}" == "--bench" ]]; then
    packages+=(libbenchmark-dev python3 locales)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing ${missing[*]} ..." >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
