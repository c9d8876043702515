#!/usr/bin/env bash
# vroon installed as a user installs it: CMake's install rules run on this build into a scratch prefix, and
# ./go install run in a clean clone of the repository (its last commit). Each time the program and its manual
# page land where a user looks for them and work from there, and the installed build is the optimised one.
#
#   install_test.sh SOURCE_DIR BUILD_DIR SCRATCH
set -euo pipefail
source=$1
build=$2
scratch=$3/vroon-install
rm -rf "$scratch"
mkdir -p "$scratch"
fail() { echo "install_test: $*" >&2; exit 1; }

# The program and the page under a prefix, checked as a user would use them.
check_prefix() {
    local prefix=$1 page=$1/share/man/man1/vroon.1 text option
    [ -x "$prefix/bin/vroon" ] || fail "no $prefix/bin/vroon"
    [ "$("$prefix/bin/vroon" --version)" = "vroon 1.0" ] || fail "$prefix/bin/vroon --version"
    [ -f "$page" ] || fail "no $page"
    text=$(MANWIDTH=100 man -l "$page" 2>&1) || fail "man -l $page: $text"
    for expected in "vroon - rewrite QuickTime and MP4 movies into fast-start form" "EXIT STATUS" "SAFETY"; do
        grep -qF -- "$expected" <<<"$text" || fail "the manual page lacks '$expected'"
    done
    # Every option of the help text is in the manual page.
    for option in $("$prefix/bin/vroon" --help | grep -oE '^  (-[a-z], )?--?[a-z-]+' | grep -oE -- '--?[a-z-]+$'); do
        grep -qF -- "$option" <<<"$text" || fail "the manual page lacks $option"
    done
}

cmake --install "$build" --prefix "$scratch/rules" --component vroon >/dev/null
check_prefix "$scratch/rules"

git clone -q "$source" "$scratch/clone"
MFX_BUILD_DIR=$scratch/build "$scratch/clone/go" install "$scratch/go" >"$scratch/go.log" 2>&1 ||
    fail "./go install in a clean clone: $(tail -5 "$scratch/go.log")"
check_prefix "$scratch/go"
if ldd "$scratch/go/bin/vroon" | grep -q libasan; then
    fail "./go install installed a sanitizer build"
fi
grep -q 'CMAKE_BUILD_TYPE:STRING=Release' "$scratch/build/release/CMakeCache.txt" || fail "not a release build"
rm -rf "$scratch"
echo "install_test: installed by the rules and by ./go install from a clean clone, both working"
