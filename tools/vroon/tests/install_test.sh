#!/usr/bin/env bash
# CMake's install rules for vroon, run on this build into a scratch prefix: the program and its manual page
# land where a user looks for them, and both work from there.
#
#   install_test.sh BUILD_DIR SCRATCH
set -euo pipefail
build=$1
prefix=$2/vroon-install
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" --component vroon >/dev/null
fail() { echo "install_test: $*" >&2; exit 1; }
[ -x "$prefix/bin/vroon" ] || fail "no $prefix/bin/vroon"
[ "$("$prefix/bin/vroon" --version)" = "vroon 1.0" ] || fail "bin/vroon --version"
page=$prefix/share/man/man1/vroon.1
[ -f "$page" ] || fail "no $page"
text=$(MANWIDTH=100 man -l "$page" 2>&1) || fail "man -l $page: $text"
for expected in "vroon - rewrite QuickTime and MP4 movies into fast-start form" "EXIT STATUS" "--check"; do
    grep -qF -- "$expected" <<<"$text" || fail "the manual page lacks '$expected'"
done
# Every option of the help text is in the manual page.
for option in $("$prefix/bin/vroon" --help | grep -oE '^  (-[a-z], )?--?[a-z-]+' | grep -oE -- '--?[a-z-]+$'); do
    grep -qF -- "$option" <<<"$text" || fail "the manual page lacks $option"
done
rm -rf "$prefix"
echo "install_test: bin/vroon and share/man/man1/vroon.1 installed and working"
