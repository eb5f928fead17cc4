#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a configured build folder, installs it on
# this machine and checks the installed copy as a user meets it: the layout,
# the command line program on the sample picture, a plug-in built against the
# installed header, the desktop entry, the metainfo, the manual pages, and
# the desktop program's window under Xvfb. Needs root or sudo (apt-get).
#
#   scripts/check-package.sh [BUILD-FOLDER]     (default: build/test)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build/test}

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "check-package: $*" >&2
  exit 1
}

echo "== building the Debian package"
cmake --build "$build" -j "$(nproc)"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
debs=("$work"/package/quillmore_*_amd64.deb)
[ -f "${debs[0]}" ] || fail "cpack wrote no quillmore_<version>_amd64.deb"
echo "${debs[0]##*/}"
# The picture libraries come in through dpkg-shlibdeps.
depends=$(dpkg-deb -f "${debs[0]}" Depends)
for library in liblcms2 libheif libwebp libtiff; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall \
  "${debs[0]}" >/dev/null

echo "== installed layout"
expected=(
  bin/quillmore bin/quillmore-cli
  share/quillmore/Wodnu.html share/quillmore/Wodnu.en.html share/quillmore/help/kaleidoscope.png
  lib/quillmore/plugins/hexagon_kaleidoscope.so lib/quillmore/plugins/pinwheel.so
  share/quillmore/plugin-samples/hexagon_kaleidoscope.c share/quillmore/plugin-samples/pinwheel.cpp
  include/quillmore/quillmore_plugin.h share/pkgconfig/quillmore-plugin.pc
  share/applications/quillmore.desktop share/metainfo/org.quillmore.quillmore.metainfo.xml
  share/icons/hicolor/scalable/apps/quillmore.svg
  share/man/man1/quillmore.1.gz share/man/man1/quillmore-cli.1.gz
  share/man/ja/man1/quillmore.1.gz share/man/ja/man1/quillmore-cli.1.gz
  share/doc/quillmore/copyright
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/quillmore.png")
done
# Files of targets that not every build has (the plug-in helper).
mapfile -t optional < "$build/optional-installed-files.txt"
expected+=("${optional[@]}")
for file in "${expected[@]}"; do
  [ -f "/usr/$file" ] || fail "/usr/$file is not installed"
done
[ ${#optional[@]} -gt 0 ] || echo "(no plug-in helper in this build: libexec/quillmore/ not checked)"
[ -d /usr/bin/help ] && fail "help pictures lie in /usr/bin/help"
grep -q "^License: MIT$" /usr/share/doc/quillmore/copyright || fail "copyright names no MIT licence"
echo "${#expected[@]} files in place"

echo "== quillmore-cli on the sample picture"
mkdir "$work/tiles"
/usr/bin/quillmore-cli --file "$root/resources/sample.jpg" --method kaleidoscope --size 64 \
  --count 12 --format png --html --out "$work/tiles"
[ -f "$work/tiles/image012.png" ] && [ -f "$work/tiles/list.html" ] || fail "tiles or page missing"

echo "== a plug-in built against the installed header"
# shellcheck disable=SC2046  # pkg-config's answer is a list of flags
gcc -shared -fPIC $(pkg-config --cflags quillmore-plugin) \
  /usr/share/quillmore/plugin-samples/hexagon_kaleidoscope.c -lm -o "$work/my.so"
for plugin in "$work/my.so" /usr/lib/quillmore/plugins/pinwheel.so; do
  /usr/bin/quillmore-cli --file "$root/resources/sample.jpg" --plugin "$plugin" --size 64 \
    --count 2 --prefix "${plugin##*/}-" --out "$work/tiles"
done

echo "== desktop entry, metainfo and manual pages"
desktop-file-validate /usr/share/applications/quillmore.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.quillmore.quillmore.metainfo.xml
for page in {,ja/}man1/quillmore.1.gz {,ja/}man1/quillmore-cli.1.gz; do
  warnings=$(zcat "/usr/share/man/$page" | LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1 || true)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
# The command line's pages are written from its option table: every option
# of --help is in both.
options=$(/usr/bin/quillmore-cli --help | sed -n 's/^  \(-h,\)\?\(--[a-z-]*\) .*/\2/p' | sort -u)
for page in {,ja/}man1/quillmore-cli.1.gz; do
  text=$(zcat "/usr/share/man/$page" | LC_ALL=C.UTF-8 groff -k -man -Tutf8 2>/dev/null | col -b)
  for option in $options; do
    grep -q -- "^ *\(-h, \)\?$option\b" <<< "$text" || fail "manual page $page lacks $option"
  done
done
echo "$(wc -w <<< "$options") options in both pages of quillmore-cli"

echo "== the desktop program's --help and --version without a display"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/quillmore --version | grep -qx "Quillmore [0-9.]*" ||
  fail "quillmore --version printed no version without a display"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/quillmore --help | grep -q "quillmore" ||
  fail "quillmore --help printed no usage without a display"

echo "== the installed desktop program shows its window"
# Starts the installed program on the sample picture under a fresh X server
# and waits up to 20 s for its window; its messages stay visible.
window_shown() {
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    /usr/bin/quillmore "$1" &
    program=$!
    for _ in $(seq 100); do
      if xdotool search --onlyvisible --name "^Quillmore$" >/dev/null 2>&1; then
        kill "$program"
        wait "$program" 2>/dev/null || true
        exit 0
      fi
      if ! kill -0 "$program" 2>/dev/null; then
        wait "$program"
        echo "check-package: the program ended with status $? before its window appeared" >&2
        exit 1
      fi
      sleep 0.2
    done
    kill "$program"
    exit 1' check "$root/resources/sample.jpg"
}
# A program that ends at once on the first start of a new X server is tried
# once more, with the first start's messages printed above.
window_shown || window_shown || fail "no window named Quillmore appeared"
echo "window Quillmore shown"
echo "package check passed"
