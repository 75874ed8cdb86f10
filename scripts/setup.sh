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
    clang libclang-rt-14-dev              # the fuzz targets (libFuzzer)
    dpkg-dev desktop-file-utils appstream groff-base libx11-protocol-perl  # the package's checks
)
# The Windows build's tests run in code page 932, which wine takes from the
# Unix locale: ja_JP.UTF-8 must exist.
windows_locale=
for flag in "$@"; do
    case "$flag" in
        --bench) packages+=(libbenchmark-dev libabsl-dev libboost1.81-dev python3 locales) ;;
        --windows)
            packages+=(g++-mingw-w64-x86-64-posix googletest wine wine64 locales)
            windows_locale=ja_JP.UTF-8
            ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$package")
    fi
done
locale_missing=false
if [[ -n "$windows_locale" ]] && ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    locale_missing=true
fi
[[ ${#missing[@]} -eq 0 && $locale_missing == false ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
    if [[ ${#missing[@]} -gt 0 ]]; then
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    fi
    if [[ $locale_missing == true ]]; then
        echo "The locale $windows_locale is missing; make it with: sudo localedef -i ja_JP -f UTF-8 $windows_locale" >&2
    fi
    exit 1
fi
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing ${missing[*]} ..." >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [[ $locale_missing == true ]]; then
    echo "Making the locale $windows_locale ..." >&2
    localedef -i ja_JP -f UTF-8 "$windows_locale"
fi
