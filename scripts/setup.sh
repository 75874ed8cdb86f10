#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build needs and the machine
# lacks; does nothing when all is in place.
#
#   scripts/setup.sh [--tests] [--windows] [--bench]
#
# Alone, what the programs need to build and run (run.sh); --tests adds the
# tests', the fuzz targets' and the package's tools, --windows the cross build
# and wine, --bench the benchmarks'.
set -euo pipefail

# The programs: the build, the locale's name order, the window, its font,
# its result boxes (QScintilla) and Qt's own texts in Japanese.
packages=(
    cmake ninja-build g++ pkg-config
    libicu-dev
    qt6-base-dev fonts-ipafont-gothic
    libqscintilla2-qt6-dev qt6-translations-l10n
)
# The tests, a virtual display for looking at the window, the fuzz targets
# (libFuzzer), and the package's checks.
tests=(
    libgtest-dev
    xvfb xauth xdotool
    clang libclang-rt-14-dev
    dpkg-dev lintian desktop-file-utils appstream groff-base libx11-protocol-perl
)
# The Windows build: the cross compiler, GoogleTest's sources and wine. Its
# tests run in code page 932, which wine takes from the Unix locale:
# ja_JP.UTF-8 must exist.
windows=(g++-mingw-w64-x86-64-posix googletest wine wine64 locales)
bench=(libbenchmark-dev libabsl-dev libboost1.81-dev python3 locales)

windows_locale=
for flag in "$@"; do
    case "$flag" in
        --tests) packages+=("${tests[@]}") ;;
        --windows)
            packages+=("${windows[@]}")
            windows_locale=ja_JP.UTF-8
            ;;
        --bench) packages+=("${bench[@]}") ;;
        *)
            echo "setup.sh: unknown option $flag" >&2
            exit 2
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
