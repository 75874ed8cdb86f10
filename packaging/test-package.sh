#!/usr/bin/env bash
# Builds the Debian package and checks it as a user would get it: its control
# data, its files, and the programs run from the unpacked package.
#
#   packaging/test-package.sh [BUILD_FOLDER]
#
# With a folder, packs that build (configured from this source tree); without
# one, configures and builds build/package. Needs dpkg-dev, lintian,
# desktop-file-utils, appstream, groff-base, xvfb, xdotool and
# libx11-protocol-perl.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)

fail() {
    echo "test-package.sh: FAIL: $*" >&2
    exit 1
}
step() { echo "== $*" >&2; }

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        { kill -TERM "$pid" && wait "$pid"; } 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

for tool in cmake cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli groff readelf Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
perl -MX11::Protocol -e 1 2>/dev/null || fail "the Perl module X11::Protocol (libx11-protocol-perl) is missing"

if [[ $# -gt 0 ]]; then
    build=$(cd "$1" && pwd)
else
    build=$source_dir/build/package
    if [[ ! -f $build/build.ninja ]]; then
        step "configuring $build"
        (cd "$source_dir" && cmake --preset default -B "$build" -DCMAKE_INSTALL_PREFIX=/usr -DTOMBRELI_BUILD_TESTS=OFF) >/dev/null
    fi
fi
[[ -f $build/CPackConfig.cmake ]] || fail "$build is not a configured build folder"

step "building and packing $build"
cmake --build "$build"
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[[ -n $version ]] || fail "no CPACK_PACKAGE_VERSION in $build/CPackConfig.cmake"
deb=$build/tombreli_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack -G DEB"
}
[[ -f $deb ]] || fail "cpack did not write $deb"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"

step "control data"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == tombreli ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)', the project's is $version"
[[ $(field Section) == utils ]] || fail "Section is '$(field Section)'"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^\>@]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is not 'Name <address>'"
[[ $(field Description | head -n1) == "compare two folders by file name" ]] || fail "Description: $(field Description | head -n1)"
# The names in Depends, without versions.
mapfile -t depends < <(field Depends | tr ',' '\n' | sed 's/[[:space:]]*(.*//; s/^[[:space:]]*//; s/[[:space:]]*$//')
depends_on() {
    local name
    for name in "${depends[@]}"; do
        [[ $name == "$1" ]] && return 0
    done
    return 1
}
depends_on fonts-ipafont-gothic || fail "Depends lacks fonts-ipafont-gothic: ${depends[*]}"
for name in qt6-translations-l10n libqscintilla2-qt6-15; do depends_on "$name" || fail "Depends lacks $name: ${depends[*]}"; done

step "files"
# Every file of the package, with its mode and owner; nothing else may be in it.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort >"$work/files"
sort >"$work/expected" <<'EOF'
-rwxr-xr-x root/root ./usr/bin/tombreli
-rwxr-xr-x root/root ./usr/bin/tombreli-compare
-rw-r--r-- root/root ./usr/share/applications/tombreli.desktop
-rw-r--r-- root/root ./usr/share/doc/tombreli/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/tombreli/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/tombreli.png
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/tombreli.svg
-rw-r--r-- root/root ./usr/share/man/man1/tombreli-compare.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/tombreli.1.gz
-rw-r--r-- root/root ./usr/share/metainfo/org.tombreli.tombreli.metainfo.xml
EOF
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list above"
if dpkg-deb -c "$deb" | awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root")' | grep .; then
    fail "a folder that is not drwxr-xr-x root/root"
fi

step "lintian"
# Debian's own checks: no error and no warning; info and pedantic tags are shown.
lintian --display-info --pedantic --fail-on error,warning "$deb" || fail "lintian reports an error or a warning"

root=$work/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
share=$root/usr/share

step "libraries"
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
for program in "$bin/tombreli" "$bin/tombreli-compare"; do
    if readelf -d "$program" | grep -E 'RPATH|RUNPATH'; then
        fail "$program searches for libraries in its own paths"
    fi
    if ldd "$program" | grep 'not found'; then
        fail "$program lacks a library"
    fi
    # Each library the program needs must come from a package that Depends names.
    for soname in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
        owners=$(dpkg -S "*/$multiarch/$soname" 2>/dev/null | cut -d: -f1 | sort -u)
        [[ -n $owners && $owners != *$'\n'* ]] || fail "no single package holds $soname: '$owners'"
        depends_on "$owners" || fail "$(basename "$program") needs $soname from $owners, which Depends lacks"
    done
done
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "apt-get cannot install the package"
}

step "desktop entry, icons, AppStream data"
desktop=$share/applications/tombreli.desktop
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || true
if [[ -s $work/desktop.log ]]; then
    cat "$work/desktop.log" >&2
    fail "desktop-file-validate"
fi
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Name) == TOMBRELI ]] || fail "desktop Name is '$(entry Name)'"
LC_ALL=C grep -q '^Comment\[ja\]=.*[^ -~]' "$desktop" || fail "the desktop entry has no Japanese Comment"
[[ -x $bin/$(entry Exec) ]] || fail "desktop Exec '$(entry Exec)' is not an installed program"
[[ -f $share/icons/hicolor/32x32/apps/$(entry Icon).png && -f $share/icons/hicolor/scalable/apps/$(entry Icon).svg ]] ||
    fail "desktop Icon '$(entry Icon)' is not installed in both sizes"
# PNG header: width and height (32), bit depth 8 and colour type 3, a palette of at most 256 colours.
read -r -a header < <(od -An -tu1 -j16 -N10 "$share/icons/hicolor/32x32/apps/tombreli.png")
[[ ${header[*]} == "0 0 0 32 0 0 0 32 8 3" ]] || fail "the 32x32 icon's header is ${header[*]}"
grep -q '<svg ' "$share/icons/hicolor/scalable/apps/tombreli.svg" || fail "the scalable icon is no SVG"
metainfo=$share/metainfo/org.tombreli.tombreli.metainfo.xml
appstreamcli validate --no-net --strict --pedantic "$metainfo" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net --strict --pedantic "$root" || fail "appstreamcli validate-tree"
grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the AppStream data has no release entry for $version"
mapfile -t provided < <(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo")
[[ ${#provided[@]} -gt 0 ]] || fail "the AppStream data provides no program"
for program in "${provided[@]}"; do
    [[ -x $bin/$program ]] || fail "the AppStream data provides $program, which is not installed"
done

step "tombreli-compare from the package"
fixture=$work/fixture
mkdir -p "$fixture"/{one/sub,two,same1,same2}
touch "$fixture"/one/{apple.txt,Banana.txt,写真.jpg,readme,.hidden} "$fixture"/two/{banana.txt,写真.jpg,README,cherry,Apple.txt}
touch "$fixture"/same1/{x,y} "$fixture"/same2/{y,x}
compare() {
    status=0
    (cd "$fixture" && LC_ALL=C.UTF-8 "$bin/tombreli-compare" "$@") >"$work/out" 2>"$work/err" || status=$?
}
compare one two
printf '< apple.txt\n< Banana.txt\n< readme\n= 写真.jpg\n> Apple.txt\n> banana.txt\n> cherry\n> README\n' >"$work/want"
cmp -s "$work/want" "$work/out" || {
    diff -u "$work/want" "$work/out" >&2 || true
    fail "tombreli-compare one two"
}
[[ $status -eq 1 ]] || fail "tombreli-compare one two exited $status, not 1"
compare -z --only2 one two
printf 'Apple.txt\0banana.txt\0cherry\0README\0' | cmp -s - "$work/out" || fail "tombreli-compare -z --only2"
compare same1 same2
[[ $status -eq 0 && $(cat "$work/out") == $'= x\n= y' ]] || fail "equal folders: status $status, output '$(cat "$work/out")'"
compare one missing
[[ $status -eq 2 && -s $work/err && ! -s $work/out ]] || fail "a missing folder: status $status"
compare --help
[[ $status -eq 0 ]] || fail "--help exited $status"
cp "$work/out" "$work/help"
compare --version
[[ $status -eq 0 && $(head -n1 "$work/out") == "tombreli-compare $version" ]] ||
    fail "--version: status $status, first line '$(head -n1 "$work/out")'"

step "changelog and copyright"
gzip -dc "$share/doc/tombreli/changelog.gz" | head -n1 | grep -q "^tombreli ($version) " ||
    fail "the changelog does not begin with $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$share/doc/tombreli/copyright" ||
    fail "the copyright file is not in Debian's machine-readable format"
grep -qx 'License: GPL-3+' "$share/doc/tombreli/copyright" || fail "the copyright file does not give GPL-3+"

step "manual pages"
for page in tombreli-compare tombreli; do
    gzip -dc "$share/man/man1/$page.1.gz" >"$work/$page.1" || fail "$page.1.gz"
    groff -man -Tutf8 -ww -z "$work/$page.1" 2>"$work/groff.log"
    if [[ -s $work/groff.log ]]; then
        cat "$work/groff.log" >&2
        fail "groff warns about $page.1"
    fi
    # Plain text, one paragraph a line, no hyphenation: easy to compare.
    groff -man -Tutf8 -P-cbou -rHY=0 -rLL=500n "$work/$page.1" >"$work/$page.txt" 2>/dev/null
    grep -q "TOMBRELI $version" "$work/$page.txt" || fail "$page.1 is not marked with version $version"
done
# The manual must say what --help says: the synopsis, each option with the
# words of its help line, and the exit statuses.
synopsis=$(sed -n '/^SYNOPSIS$/{n;s/^ *//;p;q}' "$work/tombreli-compare.txt")
[[ "usage: $synopsis" == "$(head -n1 "$work/help")" ]] || fail "synopsis '$synopsis' against '$(head -n1 "$work/help")'"
plain() { tr '[:upper:]' '[:lower:]' | tr -s ' ' | sed 's/^ //; s/[ .]*$//'; }
declare -A manual
while IFS=$'\t' read -r tag text; do
    manual[$tag]=$(plain <<<"$text")
done < <(awk '/^[A-Z]/ { on = ($0 == "OPTIONS"); next }
              on && /^       -/ { tag = $1; sub(/^ *[^ ]+ */, ""); text[tag] = $0; next }
              on && /^              [^ ]/ && tag != "" { text[tag] = text[tag] " " $0; next }
              /^ *$/ { tag = "" }
              END { for (t in text) print t "\t" text[t] }' "$work/tombreli-compare.txt")
options=0
while read -r tag words; do
    options=$((options + 1))
    [[ -n ${manual[$tag]+set} ]] || fail "the manual lacks the option $tag"
    [[ ${manual[$tag]} == *"$(plain <<<"$words")"* ]] ||
        fail "the manual's $tag says '${manual[$tag]}', --help says '$words'"
done < <(grep -E '^  -' "$work/help")
[[ $options -gt 0 && ${#manual[@]} -eq $options ]] || fail "the manual's options ${!manual[*]} are not those of --help"
source_tags() { # the .TP tags of one section of the page's source
    awk -v name="$1" '/^\.SH/ { on = ($0 ~ name) } on && tp && /^\.B / { sub(/^\.B /, ""); gsub(/\\/, ""); print } { tp = /^\.TP/ }' \
        "$work/tombreli-compare.1" | sort
}
help_statuses=$(sed -n '/^Exit status:/,$p' "$work/help" | grep -oE '\<[0-9]\>' | sort)
[[ -n $help_statuses && $(source_tags 'EXIT STATUS') == "$help_statuses" ]] ||
    fail "exit statuses of the manual: $(source_tags 'EXIT STATUS' | tr '\n' ' '); of --help: $(echo "$help_statuses" | tr '\n' ' ')"

step "the window from the package"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$work/start"
# Offscreen nothing can ask the window to close: it must start, keep running, and end on SIGTERM.
(cd "$work/start" && QT_QPA_PLATFORM=offscreen exec "$bin/tombreli") 2>"$work/offscreen.err" &
pid=$!
pids+=("$pid")
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    cat "$work/offscreen.err" >&2
    fail "tombreli ended at once under the offscreen platform, status $status"
fi
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[[ $status -eq 143 ]] || fail "tombreli under the offscreen platform ended with $status, not by SIGTERM"

# On a virtual X display it is closed as a window manager closes it, with
# WM_DELETE_WINDOW, and must then exit 0.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
pids+=("$!")
read -r display <"$work/display" || true
[[ -n ${display:-} ]] || {
    cat "$work/xvfb.err" >&2
    fail "Xvfb did not start"
}
export DISPLAY=:$display
unset WAYLAND_DISPLAY
(cd "$work/start" && QT_QPA_PLATFORM=xcb exec "$bin/tombreli") 2>"$work/x11.err" &
pid=$!
pids+=("$pid")
# x11 class WINDOW prints the window's WM_CLASS class; x11 close WINDOW asks
# it to close as a window manager does, with WM_DELETE_WINDOW.
x11() {
    perl -MX11::Protocol -e '
        my ($what, $window) = @ARGV;
        my $x = X11::Protocol->new();
        if ($what eq "class") {
            my ($value) = $x->GetProperty($window, $x->atom("WM_CLASS"), $x->atom("STRING"), 0, 256, 0);
            print((split /\0/, $value)[1] // "", "\n");
        } else {
            $x->SendEvent($window, 0, 0, $x->pack_event(name => "ClientMessage", window => $window,
                type => $x->atom("WM_PROTOCOLS"), format => 32,
                data => pack("L5", $x->atom("WM_DELETE_WINDOW"), 0, 0, 0, 0)));
            $x->GetInputFocus();  # a round trip, so that the event has left
        }' "$@"
}
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$pid" | head -n1) || true
[[ -n $window ]] || {
    cat "$work/x11.err" >&2
    fail "no window of tombreli appeared"
}
[[ $(xdotool getwindowname "$window") == TOMBRELI ]] || fail "the window's title is '$(xdotool getwindowname "$window")'"
# Docks match the desktop entry to the window by this class, and show its icon.
[[ $(x11 class "$window") == "$(entry StartupWMClass)" ]] ||
    fail "the window's class '$(x11 class "$window")' is not the desktop entry's StartupWMClass '$(entry StartupWMClass)'"
x11 close "$window"
# Only a guard against hanging: a closed window ends the program at once.
for ((i = 0; i < 600; i++)); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "tombreli still runs a minute after its window was closed"
status=0
wait "$pid" || status=$?
[[ $status -eq 0 ]] || {
    cat "$work/x11.err" >&2
    fail "tombreli exited $status when its window was closed"
}

echo "test-package.sh: all checks passed for $deb"
