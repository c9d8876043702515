#!/usr/bin/env bash
# One entry point for building and testing the suite. Run ./go help for the commands.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
BUILD=${MFX_BUILD_DIR:-$ROOT/build}
CONFIGS=(native win64 win32)
JOBS=${MFX_JOBS:-$(nproc)}
# Extra arguments for every ctest call, such as "-R plugin_" to run some tests only.
read -r -a CTEST_ARGS <<<"${MFX_CTEST_ARGS:-}"
# Starts and stops the Wine sessions of the prefixes and runs programs in them, with every setting Wine gets.
WINESESSION=$ROOT/cmake/winesession
PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64 wine xvfb x11-apps imagemagick ffmpeg time
          clang libclang-rt-14-dev mscompress fonts-wine fonts-liberation x11-utils man-db xfsprogs btrfs-progs)

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
  install [PREFIX] build vroon optimised (no sanitizers) and install it with its manual page into PREFIX
                   (default /usr/local): PREFIX/bin/vroon, PREFIX/share/man/man1/vroon.1
  fuzz  [SECONDS]  build the fuzz targets with clang and run each for SECONDS (default 600)
  designbench [ROUNDS]  time the loading of the largest setup design file against one read of it (native, Wine)
  copybench [MB]   time the setup's file installs, plain and compressed, against a plain copy, under Wine
  jobbench [MB]    time a conversion through the job window against the engine alone, under Wine (win64)
  media [win32]    the suite's distribution media in build/media (build/media-win32), laid out from the text
                   design media/flarion.txt and media/contents.txt with the deliverables of the win64 (win32)
                   build, then checked: every file the design names is there and holds what was built
  e2e              the media of build/media installed in a fresh Wine prefix (build/e2e/wineprefix), once
                   unattended and once through the dialogs: the setup log's records checked, reelpro started
                   from its Start Menu shortcut, npvroon shown in the browser stand-in from its plug-in folder,
                   the uninstaller run, and the prefix's files and registry compared with what they were
                   before; screenshots in build/e2e/shots
  run NAME [ARGS]  start a deliverable as its user would, in a Wine prefix of its own with the QuickTime
                   stand-in: on $DISPLAY until it is closed, else on a virtual display until its main window
                   is up, pictured in build/run/NAME.png. run reelpro [FILE...] opens the files in the
                   converter; run npvroon PAGE shows a page description (testing/nphost/nppage.h) in our
                   browser stand-in
  screenshots      capture the job window converting, asking to stop and finished, a batch list with a
                   drag in progress, a damaged list's message, the question before a changed list
                   closes, a generic dialog, the directory chooser, the setup dialogs, the backdrop, the
                   uninstaller's progress window with its shared-file question, the plug-in's options,
                   background, about and About Media dialogs, an embedded movie and a full page in the
                   maker's and the product's schemes with the progress window:
                   build/screenshots/*/*.png
  help             this text

MFX_CTEST_ARGS passes arguments to every ctest call: MFX_CTEST_ARGS="-R toolkit_" ./go test win64.
CONFIG is native (host compiler, portable code, AddressSanitizer and UBSan), win64 (x86_64 Windows,
tests under Wine) or win32 (i686 Windows, built and linked only), each a preset of CMakePresets.json
(as are bench, release and fuzz). The build goes to ./build (MFX_BUILD_DIR overrides it); the Wine prefix
of the tests lives in ./build/wineprefix. The test programs run in parallel, MFX_JOBS at a time (the
number of processors unless set); those labelled "exclusive" run alone.
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

# configure CONFIG: the configuration's build folder, from its preset in CMakePresets.json. CMake notices a changed
# CMakeLists.txt by itself, but not a changed compiler, toolchain file or option: when the presets or a toolchain
# file changed since the folder was configured, it is configured afresh.
configure() {
    local config=$1 dir=$BUILD/$1 stamp
    case $config in
        native|win64|win32|bench|release|fuzz) ;;
        *) echo "go: unknown configuration '$config'" >&2; exit 2 ;;
    esac
    stamp=$(cat "$ROOT/CMakePresets.json" "$ROOT"/cmake/mingw-*.cmake | sha256sum)
    [ -f "$dir/build.ninja" ] && [ "$(cat "$dir/.configured" 2>/dev/null)" = "$stamp" ] && return 0
    cmake -S "$ROOT" --preset "$config" -B "$dir" --fresh >/dev/null
    echo "$stamp" >"$dir/.configured"
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

# One Wine session (a display and a persistent wineserver) in a prefix, the tests' build/wineprefix unless
# start_wine names another; stopped again when this script exits, also on failure or Ctrl-C.
WINE_PREFIX=""
stop_wine() {
    [ -z "$WINE_PREFIX" ] || "$WINESESSION" stop "$WINE_PREFIX"
}

# start_wine [PREFIX [user]]: with "user", on the user's display ($DISPLAY) with its window manager, else on a
# virtual one (Xvfb).
start_wine() {
    WINE_PREFIX=${1:-$BUILD/wineprefix}
    export WINEPREFIX=$WINE_PREFIX
    trap stop_wine EXIT
    trap 'exit 130' INT TERM
    DISPLAY=$("$WINESESSION" start "$WINE_PREFIX" ${2:-})
    export DISPLAY
}

run_tests() {
    local config=$1
    echo "go: testing $config"
    case $config in
        native) ctest --test-dir "$BUILD/native" --output-on-failure -j "$JOBS" "${CTEST_ARGS[@]}" ;;
        win64)
            # CTest starts the Wine session itself (the test wine_session_start) and stops it after the last
            # test; only an interrupted run leaves it to this script.
            WINE_PREFIX=$BUILD/wineprefix
            trap stop_wine EXIT
            trap 'exit 130' INT TERM
            ctest --test-dir "$BUILD/win64" --output-on-failure -j "$JOBS" "${CTEST_ARGS[@]}" ;;
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
    configure release
    cmake --build "$BUILD/release" -j "$JOBS" --target fastdemo vroon >/dev/null
    mkdir -p "$BUILD/demo"
    cp "$ROOT/movie/samples/sample.mov" "$BUILD/demo/sample.mov"
    "$BUILD/release/tools/fastdemo/fastdemo" "$BUILD/demo/sample.mov"
    # The same movie once more, with the command-line converter.
    local vroon=$BUILD/release/tools/vroon/vroon movie=$BUILD/demo/sample-vroon.mov
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
    configure release
    cmake --build "$BUILD/release" -j "$JOBS" --target vroon >/dev/null
    "$ROOT/tools/vroon/vroonbench.sh" "$BUILD/release/tools/vroon/vroon" "$BUILD/benchdata" "$@"
}

# vroon as users get it: optimised, without the sanitizers of the test build, installed by CMake's rules into
# PREFIX/bin with its manual page in PREFIX/share/man/man1.
install_vroon() {
    local prefix
    prefix=$(realpath -m "${1:-/usr/local}")
    setup
    configure release
    cmake --build "$BUILD/release" -j "$JOBS" --target vroon
    cmake --install "$BUILD/release" --prefix "$prefix" --component vroon
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

# The dialog tests pose their windows when MFX_SCREENSHOTS names a folder. shoot_test SUBDIR TEST FILTER SHOT...:
# a test program of the win64 build (its path below the build), run with the filter, poses SHOT... into
# build/screenshots/SUBDIR.
shoot_test() {
    local dir=$BUILD/screenshots/$1 test=$2 filter=$3
    shift 3
    mkdir -p "$dir"
    MFX_SCREENSHOTS=$(winepath "$dir") "$BUILD/win64/wine-run" "$BUILD/win64/$test.exe" --gtest_filter="$filter" \
        </dev/null >/dev/null &
    local show=$!
    capture_poses "$dir" "$@"
    wait "$show"
}

# The setup libraries' tests pose every dialog template of parvel, a picture of orvadrop's slide show half
# dissolved in, the backdrop's finished background, the engine's own picture and text on a backdrop window, and the
# hook library's Netscape folder choice.
shoot_setupext() {
    local templates=(SETUP_CHOOSE SETUP_DEFINE_SEARCH SETUP_DISK_PROMPT SETUP_INSTALL_TO SETUP_LARGE_CUSTOMIZE
                     SETUP_SMALL_CUSTOMIZE SETUP_LARGE_PATHS SETUP_SMALL_PATHS SETUP_NEWDIR SETUP_OPENPATH
                     SETUP_OVERWRITE SETUP_PROGMANGROUP SETUP_PROGRESS SETUP_RESOLVE SETUP_SEARCHING)
    shoot_test setupext setupext/parvel/tests/setupext_parvel_win_test 'ParvelTest.EveryTemplate*' "${templates[@]}"
    shoot_test setupext setupext/orvadrop/tests/setupext_backdrop_win_test BackdropTest.DissolvingInAndOut backdrop-dissolve
    shoot_test setupext setupext/orvadrop/tests/setupext_orvadrop_win_test 'OrvadropTest.Create*' backdrop-background
    shoot_test setup setup/tests/setup_bdbind_win_test 'BdbindTest.TheEnginePaints*' backdrop-engine-paint
    shoot_test setupext setupext/tavlet/tests/setupext_tavlet_win_test 'TavletTest.TwoNetscape*' tavlet-netscape-folder
}

screenshots() {
    setup
    build win64
    start_wine
    rm -rf "$BUILD/screenshots"
    shoot jobshow 1-converting 2-stop-question 3-finished
    shoot batchshow 1-batch-list 2-dragging 3-cannot-open 4-save-question
    shoot_reelpro
    shoot_test toolkit toolkit/tests/toolkit_cdlg_win_test '*RememberedDialog*' cdlg-generic
    shoot_test toolkit toolkit/tests/toolkit_commfile_win_test '*CreatedFolderIsEntered*' commfile-newdir commfile-chooser
    shoot_setupext
    shoot_test uninstall uninstall/tests/uninstall_unrun_win_test '*SharedFile*' uninstall-shared-question
    shoot_test plugin plugin/tests/plugin_options_win_test '*AboutMedia*:*FreeMegabytes*:*Background*:*AboutBox*' \
        plugin-aboutmedia plugin-options plugin-background plugin-about
    shoot_test plugin plugin/tests/plugin_movwnd_win_test '*EmbeddedMovieShows*:*FullPageShows*' \
        plugin-embedded plugin-fullpage-maker plugin-fullpage-product
}

# The deliverables on the suite's media.
MEDIA_TARGETS=(haulix parvel tavlet orvadrop uninstall reelpro npvroon)

# ./go media [win32]: the media laid out by setupmedia (tools/setupdesign) from a clean folder and checked. A
# deliverable this checkout does not define yet is not built; the check then names its missing file.
media() {
    local config=${1:-win64} out=$BUILD/media target
    case $config in
        win64) ;;
        win32) out=$BUILD/media-win32 ;;
        *) echo "go: media [win32]" >&2; exit 2 ;;
    esac
    setup
    configure native
    cmake --build "$BUILD/native" -j "$JOBS" --target setupmedia >/dev/null
    configure "$config"
    local defined targets=()
    defined=$(ninja -C "$BUILD/$config" -t targets all)
    for target in "${MEDIA_TARGETS[@]}"; do
        if grep -q "^$target:" <<<"$defined"; then targets+=("$target"); else echo "go: no target $target in this checkout"; fi
    done
    cmake --build "$BUILD/$config" -j "$JOBS" --target "${targets[@]}" >/dev/null
    rm -rf "$out"
    "$BUILD/native/tools/setupdesign/setupmedia" "$ROOT/media/flarion.txt" "$ROOT/media/contents.txt" \
        "$BUILD/$config" "$ROOT" "$out"
}

# The end-to-end run (./go e2e) of the media in build/media. Before the first install the prefix gets what the
# suite expects on a user's machine: Netscape Navigator (our browser stand-in as its program, with its plug-in
# folder, a Navigator entry and the NetscapeMarkup association the hook library reads), Apple's QuickTime plug-in
# in that folder (a stand-in file the install renames and the uninstall restores), and QuickTime for Windows
# (our stand-in) in the system folder. The media are on drive A:, where the engine runs in place.
E2E_PRODUCT="Flarion 1.0"
E2E_LOG='C:\FLARION\FLARION.LOG'
E2E_PLUGINS='C:\NETSCAPE\PROGRAM\PLUGINS'
E2E_BROWSER='C:\NETSCAPE\PROGRAM\NETSCAPE.EXE'

e2e_prepare() {
    local dir=$1 prefix=$1/wineprefix
    local plugins=$prefix/drive_c/NETSCAPE/PROGRAM/PLUGINS
    cp -r "$BUILD/media" "$dir/media"
    ln -s "$dir/media" "$prefix/dosdevices/a:"
    mkdir -p "$plugins"
    cp "$BUILD/win64/testing/nphost/nphost.exe" "$prefix/drive_c/NETSCAPE/PROGRAM/NETSCAPE.EXE"
    echo "Netscape's null plug-in, as the browser installs it" >"$plugins/npnul32.dll"
    echo "Apple's QuickTime plug-in, which Flarion's setup disables" >"$plugins/NPQTW32.DLL"
    cp "$BUILD/win64/testing/qtstandin/full/QTIM32.DLL" "$BUILD/win64/testing/qtstandin/full/CMGR32.DLL" \
        "$prefix/drive_c/windows/system32/"
    cat >"$dir/netscape.reg" <<'REG'
REGEDIT4

[HKEY_CLASSES_ROOT\NetscapeMarkup\CLSID]
@="{61D8DE20-CA9A-11CE-9EA5-0080C82BE3B6}"

[HKEY_CLASSES_ROOT\CLSID\{61D8DE20-CA9A-11CE-9EA5-0080C82BE3B6}\LocalServer32]
@="C:\\NETSCAPE\\PROGRAM\\NETSCAPE.EXE"

[HKEY_LOCAL_MACHINE\Software\Netscape\Netscape Navigator\3.01 (en)\Main]
"Plugins Directory"="C:\\NETSCAPE\\PROGRAM\\PLUGINS"
REG
    "$WINESESSION" run regedit /S "$(winepath "$dir/netscape.reg")" </dev/null
    printf '[Answers]\r\nTAVLET_INSTALLPLUGIN=Yes\r\n' >"$dir/install.ini"
    printf '[Answers]\r\nUNINSTALL_SHARED_FILE=Yes\r\n' >"$dir/uninstall.ini"
    printf 'PAGE file:///C|/FLARION/\nEMBED SRC=file:///C|/FLARION/SAMPLE.MOV WIDTH=320 HEIGHT=256 AUTOSTART=TRUE\n' \
        >"$dir/sample.page"
}

# e2e_drive SHOTS POSE... -- ARG...: e2edrive with the arguments, each pose it announces captured into SHOTS.
e2e_drive() {
    local shots=$1 poses=()
    shift
    while [ "$1" != -- ]; do poses+=("$1"); shift; done
    shift
    "$WINESESSION" run "$BUILD/win64/testing/e2e/e2edrive.exe" "$@" </dev/null &
    local drive=$!
    [ ${#poses[@]} -eq 0 ] || capture_poses "$shots" "${poses[@]}"
    wait "$drive" || { echo "go: e2e: e2edrive $1 failed" >&2; exit 1; }
}

# e2e_pass DIR unattended|gui: one install, its checks, one uninstall, and the prefix compared with before.
e2e_pass() {
    local dir=$1 mode=$2 prefix=$1/wineprefix shots=$1/shots/$2
    local setup_poses=() uninstall_poses=() install uninstall
    mkdir -p "$shots"
    if [ "$mode" = unattended ]; then
        install="/ANSWERS=$(winepath "$dir/install.ini")"
        uninstall="/ANSWERS=$(winepath "$dir/uninstall.ini")"
    else
        install="$(winepath "$shots")\\"
        uninstall=$install
        setup_poses=(setup-1-install-to setup-2-choose setup-3-plugin-folder setup-4-install-plugin
                     setup-5-create-folder setup-6-successful setup-7-disable-apple setup-8-log)
        uninstall_poses=(uninstall-1-shared-file uninstall-2-removed)
    fi
    echo "go: e2e: $mode installation"
    start_wine "$prefix"
    e2e_drive "$shots" "${setup_poses[@]}" -- install 'A:\bin\HAULIX.EXE' "$install"
    e2e_drive "$shots" -- installed "$E2E_LOG"
    local plugins=$prefix/drive_c/NETSCAPE/PROGRAM/PLUGINS
    if [ -e "$plugins/NPQTW32.DLL" ] || [ ! -e "$plugins/NPQTW32.OLD" ]; then
        echo "go: e2e: Apple's plug-in NPQTW32.DLL was not renamed to NPQTW32.OLD" >&2
        exit 1
    fi
    e2e_drive "$shots" reelpro-from-shortcut -- shortcut "$E2E_LOG" Reelpro "Orvanta Flarion" "$(winepath "$shots")\\"
    e2e_drive "$shots" npvroon-in-browser -- plugin "$E2E_LOG" "$E2E_PLUGINS" "$E2E_BROWSER" \
        "$(winepath "$dir/sample.page")" "$(winepath "$shots")\\"
    echo "go: e2e: $mode removal"
    e2e_drive "$shots" "${uninstall_poses[@]}" -- uninstall "$E2E_PRODUCT" "$uninstall"
    stop_wine
    python3 "$ROOT/testing/e2e/prefixlist.py" "$prefix" >"$dir/after-$mode.txt"
    if ! diff "$dir/before.txt" "$dir/after-$mode.txt" >"$dir/after-$mode.diff"; then
        echo "go: e2e: after the $mode removal the prefix differs from before ($dir/after-$mode.diff):" >&2
        head -40 "$dir/after-$mode.diff" >&2
        exit 1
    fi
    echo "go: e2e: after the $mode removal the prefix is as it was before"
}

e2e() {
    setup
    [ -f "$BUILD/media/bin/SETUP.INI" ] || { echo "go: e2e: no media in $BUILD/media (./go media makes them)" >&2; exit 1; }
    configure win64
    cmake --build "$BUILD/win64" -j "$JOBS" --target e2edrive nphost_program qtstandin >/dev/null
    local dir=$BUILD/e2e
    "$WINESESSION" stop "$dir/wineprefix"
    rm -rf "$dir"
    mkdir -p "$dir"
    start_wine "$dir/wineprefix"
    e2e_prepare "$dir"
    stop_wine
    python3 "$ROOT/testing/e2e/prefixlist.py" "$dir/wineprefix" >"$dir/before.txt"
    e2e_pass "$dir" unattended
    e2e_pass "$dir" gui
    echo "go: e2e passed; screenshots in $dir/shots"
}

# The deliverables that ./go run starts, one entry each: the usage, the build targets, the files of build/win64
# copied into the deliverable's run folder, the program among them, the files of the folder put before the
# user's arguments, and the caption with which its main window begins.
run_table() {
    RUN_LEAD=()
    case $1 in
        reelpro)
            RUN_USAGE="reelpro [FILE...]"
            RUN_TARGETS=(reelpro qtstandin)
            RUN_FILES=(converter/reelpro.exe)
            RUN_PROGRAM=reelpro.exe
            RUN_CAPTION="Orvanta Flarion" ;;
        npvroon)
            RUN_USAGE="npvroon PAGE"
            RUN_TARGETS=(npvroon nphost_program qtstandin)
            RUN_FILES=(testing/nphost/nphost.exe plugin/npvroon.dll)
            RUN_PROGRAM=nphost.exe
            RUN_LEAD=(npvroon.dll)
            RUN_CAPTION="nphost - " ;;
        *) return 1 ;;
    esac
}

# The shown X window whose name begins with the caption; empty while there is none.
find_window() {
    local window
    for window in $(xwininfo -root -tree 2>/dev/null | awk -v name="\"$1" 'index($0, name) { print $1 }'); do
        if xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            echo "$window"
            return
        fi
    done
}

# Waits (at most 10 seconds) until two looks at the window a second apart see the same picture.
wait_until_still() {
    local window=$1 before after
    before=$(mktemp) after=$(mktemp)
    import -window "$window" rgb:"$before" 2>/dev/null || true
    for _ in $(seq 10); do
        sleep 1
        import -window "$window" rgb:"$after" 2>/dev/null || true
        cmp -s "$before" "$after" && break
        mv "$after" "$before"
    done
    rm -f "$before" "$after"
}

# ./go run NAME [ARGS]: builds what the deliverable needs, copies it with the QuickTime stand-in into
# build/run/NAME and starts it under Wine in the prefix build/run/wineprefix, with arguments that name files
# turned into Windows names. On the user's display ($DISPLAY) it runs until the user ends it; without one it
# runs on a virtual display until its main window is up and still, which is pictured in build/run/NAME.png.
# Either way nothing it started is left running.
run() {
    local name=${1:-}
    shift || true
    run_table "$name" || { echo "go: run what? (reelpro [FILE...] or npvroon PAGE)" >&2; exit 2; }
    if [ "$name" = npvroon ] && [ $# -ne 1 ]; then
        echo "go: run $RUN_USAGE" >&2
        exit 2
    fi
    setup
    configure win64
    cmake --build "$BUILD/win64" -j "$JOBS" --target "${RUN_TARGETS[@]}" >/dev/null
    local dir=$BUILD/run/$name shot=$BUILD/run/$name.png file argument
    mkdir -p "$dir"
    rm -f "$shot"
    for file in "${RUN_FILES[@]}"; do cp "$BUILD/win64/$file" "$dir/"; done
    cp "$BUILD/win64/testing/qtstandin/full/QTIM32.DLL" "$BUILD/win64/testing/qtstandin/full/CMGR32.DLL" "$dir/"
    local arguments=()
    for file in "${RUN_LEAD[@]}"; do arguments+=("$(winepath "$dir/$file")"); done
    for argument in "$@"; do
        if [ -e "$argument" ]; then arguments+=("$(winepath "$(realpath "$argument")")"); else arguments+=("$argument"); fi
    done
    if [ -n "${DISPLAY:-}" ]; then
        start_wine "$BUILD/run/wineprefix" user
        (cd "$dir" && "$WINESESSION" run "$RUN_PROGRAM" "${arguments[@]}" </dev/null)
        return
    fi
    start_wine "$BUILD/run/wineprefix"
    (cd "$dir" && exec "$WINESESSION" run "$RUN_PROGRAM" "${arguments[@]}" </dev/null) &
    local window=""
    for _ in $(seq 600); do
        window=$(find_window "$RUN_CAPTION")
        [ -n "$window" ] && break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "go: $name showed no window \"$RUN_CAPTION...\"" >&2
        exit 1
    fi
    wait_until_still "$window"
    import -window "$window" "$shot"
    stop_wine
    wait
    echo "go: $shot"
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
    install) install_vroon "$@" ;;
    designbench) designbench "$@" ;;
    copybench) copybench "$@" ;;
    jobbench) jobbench "$@" ;;
    screenshots) screenshots ;;
    media) media "$@" ;;
    e2e) e2e ;;
    run) run "$@" ;;
    help|-h|--help) usage ;;
    *) usage >&2; exit 2 ;;
esac
