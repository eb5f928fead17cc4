#!/bin/sh
# SPDX-License-Identifier: MIT
# The desktop program answers --version and --help without any display, in
# the language of the locale.
#
#   information-without-display.sh PROGRAM
set -eu
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL= LC_MESSAGES= LANGUAGE=
expect() {
  printf '%s\n' "$1" | grep -qx "$2" || { printf 'expected "%s" in:\n%s\n' "$2" "$1" >&2; exit 1; }
}
expect "$(LANG=en_US.UTF-8 "$program" --version)" "Quillmore 1\.2\.0"
expect "$(LANG=en_US.UTF-8 "$program" --help)" "Usage: quillmore \[options\] \[picture\]"
expect "$(LANG=ja_JP.UTF-8 "$program" --help)" "使い方: quillmore \[オプション\] \[画像\]"
