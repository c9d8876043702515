#!/usr/bin/env bash
# One entry point for building and testing the suite. Run ./go help for the commands.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${MFX_BUILD_DIR:-$ROOT/build}
CONFIGS=(native win64 win32)
JOBS=${MFX_JOBS:-$(nproc)}
# Extra arguments for every ctest call, such as "-R plugin_" to run some tests only.
read -r -a CTEST_ARGS <<<"${MFX_CTEST_ARGS:-}"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64 wine xvfb x11-apps imagemagick ffmpeg time
          clang libclang-rt-14-dev mscompress)

usage() {
    cat <<'USAGE'
Usage: ./go COMMAND [CONFIG...]

  setup            install what the build and the tests need (Debian packages; idempotent)
  build [CONFIG]   configure and build native, win64 and win32 (or the ones named)
  test  [CONFIG]   setup, build all three, run the native and win64 tests and the fuzz targets briefly;
                   with CONFIG, only that one (native, win64, win32 or fuzz)
  demo             convert a copy of the sample movie to fast-start form, showing its layout before and after
  bench [MB]       time the conversion of a movie of MB megabytes (default 1024) against cp; peak memory
  vroonbench [MB] [--cold]  time vroon against cp and ffmpeg's re-mux on one movie (default 1024 MB);
                   --cold drops the page cache between runs as well (root only)
  fuzz  [SECONDS]  build the fuzz targets with clang and run each for SECONDS (default 600)
  designbench [ROUNDS]  time the loading of the largest setup design file against one read of it (native, Wine)
  copybench [MB]   time the setup's file installs, plain and compressed, against a plain copy, under Wine
  jobbench [MB]    time a conversion through the job window against the engine alone, under Wine (win64)
  run NAME [ARGS]  start a deliverable as its user would and picture it in build/run/NAME.png:
                   run npvroon PAGE shows a page description (testing/nphost/nppage.h) in our browser stand-in
  screenshots      capture the job window converting, asking to stop and finished, and a batch list with a
                   drag in progress: build/screenshots/*/*.png
  help             this text

MFX_CTEST_ARGS passes arguments to every ctest call: MFX_CTEST_ARGS="-R toolkit_" ./go test win64.
CONFIG is native (host compiler, portable code, AddressSanitizer and UBSan), win64 (x86_64 Windows,
tests under Wine) or win32 (i686 Windows, built and linked only). The build goes to ./build
(MFX_BUILD_DIR overrides it); the Wine prefix of the tests lives in ./build/wineprefix.
USAGE
}

setup() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "go: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

configure() {
    local config=$1 dir=$BUILD/$1
    [ -f "$dir/build.ninja" ] && return 0
    local args=(-G Ninja -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
    case $config in
        native) ;;
        win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DMFX_WINE_TESTS=ON
                      -DMFX_WINEPREFIX="$BUILD/wineprefix") ;;
        win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake") ;;
        bench) args+=(-DMFX_SANITIZE=OFF) ;;
        fuzz) args+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMFX_FUZZ=ON) ;;
        *) echo "go: unknown configuration '$config'" >&2; exit 2 ;;
    esac
    cmake "${args[@]}" >/dev/null
}

build() {
    for config in "$@"; do
        echo "go: building $config"
        configure "$config"
        if [ "$config" = fuzz ]; then
            cmake --build "$BUILD/fuzz" -j "$JOBS" --target mfx_fuzzers
        else
            cmake --build "$BUILD/$config" -j "$JOBS"
        fi
    done
}

# The fuzz targets (clang's libFuzzer, native) are declared by mfx_add_fuzzer and labelled "fuzz" in CTest;
# each runs for the given number of seconds on its corpus in the build folder, seeded from its samples.
fuzz() {
    MFX_FUZZ_SECONDS=$1 ctest --test-dir "$BUILD/fuzz" -L fuzz --output-on-failure -j "$JOBS" --timeout $(($1 + 300)) \
        "${CTEST_ARGS[@]}"
}

# Xvfb and one persistent wineserver for the whole run; stopped again when this script exits.
XVFB_PID=""
WINE_STARTED=""
stop_wine() {
    if [ -n "$WINE_STARTED" ]; then
        WINEPREFIX=$BUILD/wineprefix "$WINESERVER" -k 2>/dev/null || true
        WINEPREFIX=$BUILD/wineprefix "$WINESERVER" -w 2>/dev/null || true
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

start_wine() {
    local displayfile
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap stop_wine EXIT
    trap 'exit 130' INT TERM
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$displayfile")"
    rm -f "$displayfile"
    export WINEPREFIX=$BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    mkdir -p "$WINEPREFIX"
    WINE_STARTED=1
    "$WINESERVER" -p
    if [ ! -f "$WINEPREFIX/.initialised" ]; then
        echo "go: initialising the Wine prefix $WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1
        touch "$WINEPREFIX/.initialised"
    fi
    # The prefix's system processes (services, device drivers) live as long as the persistent server. Started
    # here, they hold /dev/null; started by the first test, they would inherit CTest's output pipe and CTest
    # would wait for them to the end of its timeout.
    "$WINE" wineboot >/dev/null 2>&1 </dev/null
    # Windows not managed by a window manager: without one (Xvfb has none), Wine waits two seconds for every
    # managed top-level window it hides or destroys.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    fi
}

run_tests() {
    local config=$1
    echo "go: testing $config"
    case $config in
        native) ctest --test-dir "$BUILD/native" --output-on-failure -j "$JOBS" "${CTEST_ARGS[@]}" ;;
        win64)
            [ -n "$WINE_STARTED" ] || start_wine
            ctest --test-dir "$BUILD/win64" --output-on-failure "${CTEST_ARGS[@]}" ;;
        win32) echo "go: win32 is built and linked only" ;;
        fuzz) fuzz 10 ;;
    esac
}

test_all() {
    local configs=("$@") status=0
    [ ${#configs[@]} -gt 0 ] || configs=("${CONFIGS[@]}" fuzz)
    setup
    build "${configs[@]}"
    for config in "${configs[@]}"; do
        run_tests "$config" || status=1
    done
    return $status
}

# The suite's main job on the sample movie: a copy converted to fast-start form, its layout shown before and
# after.
demo() {
    setup
    configure native
    cmake --build "$BUILD/native" -j "$JOBS" --target fastdemo vroon >/dev/null
    mkdir -p "$BUILD/demo"
    cp "$ROOT/movie/samples/sample.mov" "$BUILD/demo/sample.mov"
    "$BUILD/native/tools/fastdemo/fastdemo" "$BUILD/demo/sample.mov"
    # The same movie once more, with the command-line converter.
    local vroon=$BUILD/native/tools/vroon/vroon movie=$BUILD/demo/sample-vroon.mov
    cp "$ROOT/movie/samples/sample.mov" "$movie"
    echo
    "$vroon" --layout "$movie"
    "$vroon" --check "$movie" || true
    "$vroon" "$movie"
    "$vroon" --layout "$movie"
    "$vroon" --check "$movie"
}

# The conversion of a large movie against cp, in one run: throughput ratio and the engine's peak memory.
bench() {
    setup
    configure bench
    cmake --build "$BUILD/bench" -j "$JOBS" --target fastbench >/dev/null
    mkdir -p "$BUILD/benchdata"
    "$BUILD/bench/tools/fastbench/fastbench" "$BUILD/benchdata" "$@"
}

# vroon against cp and ffmpeg's re-mux on one large movie: seconds, throughput ratios, peak memory.
vroonbench() {
    setup
    configure bench
    cmake --build "$BUILD/bench" -j "$JOBS" --target vroon >/dev/null
    "$ROOT/tools/vroon/vroonbench.sh" "$BUILD/bench/tools/vroon/vroon" "$BUILD/benchdata" "$@"
}

# The engine's loading of the largest design file against one plain read of it, natively and under Wine.
designbench() {
    setup
    configure bench
    cmake --build "$BUILD/bench" -j "$JOBS" --target designbench >/dev/null
    mkdir -p "$BUILD/benchdata"
    echo "go: native"
    "$BUILD/bench/tools/setupdesign/designbench" "$BUILD/benchdata" "$@"
    build win64
    start_wine
    echo "go: win64 under Wine"
    "$BUILD/win64/wine-run" "$BUILD/win64/tools/setupdesign/designbench.exe" "$(winepath "$BUILD/benchdata")" "$@" </dev/null
}

# The engine's install throughput for plain and compressed files against a plain copy, under Wine.
copybench() {
    setup
    build win64
    start_wine
    mkdir -p "$BUILD/benchdata"
    "$BUILD/win64/wine-run" "$BUILD/win64/tools/copybench/copybench.exe" "$(winepath "$BUILD/benchdata")" "$@" </dev/null
}

# The Wine path of a folder of the build.
winepath() {
    echo "Z:$1" | tr / '\\'
}

jobbench() {
    setup
    build win64
    start_wine
    mkdir -p "$BUILD/benchdata"
    "$BUILD/win64/wine-run" "$BUILD/win64/tools/jobbench/jobbench.exe" "$(winepath "$BUILD/benchdata")" "$@" </dev/null
}

# A show program announces each pose with NAME.ready in its folder and waits for NAME.taken; the display is
# captured in between. capture_poses DIR SHOT... follows a program started in the background.
capture_poses() {
    local dir=$1 shot
    shift
    for shot in "$@"; do
        for _ in $(seq 600); do [ -f "$dir/$shot.ready" ] && break; sleep 0.1; done
        [ -f "$dir/$shot.ready" ] || { echo "go: no $shot in $dir" >&2; break; }
        import -window root "$dir/$shot.png"
        touch "$dir/$shot.taken"
        echo "go: $dir/$shot.png"
    done
}

# shoot PROGRAM SHOT...: build/screenshots/PROGRAM/SHOT.png
shoot() {
    local program=$1 dir=$BUILD/screenshots/$1
    shift
    mkdir -p "$dir"
    "$BUILD/win64/wine-run" "$BUILD/win64/testing/$program/$program.exe" "$(winepath "$dir")" </dev/null &
    local show=$!
    capture_poses "$dir" "$@"
    wait "$show"
}

# The converter program's tests pose a previewed movie, the splash and the about box when MFX_SCREENSHOTS
# names a folder.
shoot_reelpro() {
    local dir=$BUILD/screenshots/reelpro
    mkdir -p "$dir"
    MFX_SCREENSHOTS=$(winepath "$dir") "$BUILD/win64/wine-run" \
        "$BUILD/win64/converter/tests/converter_reelpro_win_test.exe" \
        --gtest_filter='ReelproTest.OpeningAMovie*:ReelproTest.TheAboutBox*' </dev/null >/dev/null &
    local show=$!
    capture_poses "$dir" reelpro-1-preview reelpro-2-splash reelpro-3-about
    wait "$show"
}

screenshots() {
    setup
    build win64
    start_wine
    rm -rf "$BUILD/screenshots"
    shoot jobshow 1-converting 2-stop-question 3-finished
    shoot batchshow 1-batch-list 2-dragging
    shoot_reelpro
}

# The deliverables that ./go run starts, one line each: NAME) the function that runs it.
run_npvroon() {
    [ $# -eq 1 ] || { echo "go: run npvroon PAGE" >&2; exit 2; }
    local page dir=$BUILD/run
    page=$(realpath "$1")
    build win64
    start_wine
    mkdir -p "$dir"
    rm -f "$dir"/npvroon.*
    "$BUILD/win64/wine-run" "$BUILD/win64/testing/nphost/nphost.exe" "$(winepath "$BUILD/win64/plugin/npvroon.dll")" \
        "$(winepath "$page")" --pose "$(winepath "$dir")" </dev/null &
    local host=$!
    capture_poses "$dir" npvroon
    wait "$host"
}

run() {
    local name=${1:-}
    shift || true
    setup
    case $name in
        npvroon) run_npvroon "$@" ;;
        *) echo "go: run what? (npvroon PAGE)" >&2; exit 2 ;;
    esac
}

command=${1:-help}
shift || true
case $command in
    setup) setup ;;
    build) setup; if [ $# -gt 0 ]; then build "$@"; else build "${CONFIGS[@]}"; fi ;;
    test) test_all "$@" ;;
    fuzz) setup; build fuzz; fuzz "${1:-600}" ;;
    demo) demo ;;
    bench) bench "$@" ;;
    vroonbench) vroonbench "$@" ;;
    designbench) designbench "$@" ;;
    copybench) copybench "$@" ;;
    jobbench) jobbench "$@" ;;
    screenshots) screenshots ;;
    run) run "$@" ;;
    help|-h|--help) usage ;;
    *) usage >&2; exit 2 ;;
esac
