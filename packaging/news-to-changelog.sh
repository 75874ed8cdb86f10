#!/usr/bin/env bash
# Writes NEWS.md as a Debian changelog, which is what Debian's tools read in a
# package's changelog.gz: each heading "## VERSION (DATE)" becomes a release,
# each "- " item an entry, its indented lines the entry's further lines.
#
#   packaging/news-to-changelog.sh NEWS.md PACKAGE MAINTAINER CHANGELOG
set -euo pipefail
news=$1
package=$2
maintainer=$3
exec >"$4"

fail() {
    echo "news-to-changelog.sh: $news:$number: $*" >&2
    exit 1
}
signed() {
    printf '\n -- %s  %s\n' "$maintainer" "$(LC_ALL=C date -u -R -d "$date")"
}

version=
number=0
while IFS= read -r line; do
    number=$((number + 1))
    if [[ $line =~ ^##\ ([^ ]+)\ \(([0-9]{4}-[0-9]{2}-[0-9]{2})\)$ ]]; then
        if [[ -n $version ]]; then
            signed
            echo
        fi
        version=${BASH_REMATCH[1]}
        date=${BASH_REMATCH[2]}
        LC_ALL=C date -u -d "$date" >/dev/null 2>&1 || fail "$date is not a date"
        printf '%s (%s) unstable; urgency=medium\n\n' "$package" "$version"
    elif [[ -z $version || -z $line ]]; then
        continue # the file's own title and words, and blank lines
    elif [[ $line == "- "* ]]; then
        printf '  * %s\n' "${line#- }"
    elif [[ $line == "  "[^\ ]* ]]; then
        printf '    %s\n' "${line#  }"
    else
        fail "a release holds only \"- \" items and their indented lines"
    fi
done <"$news"
[[ -n $version ]] || fail "no heading \"## VERSION (DATE)\""
signed
