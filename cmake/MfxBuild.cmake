# Build settings shared by every subsystem, and the helper that declares a test program.
#
# Three configurations come from this one project: native (host compiler, portable code only, tests under
# AddressSanitizer and UBSan), win64 (x86_64 mingw-w64, everything, tests run under Wine) and win32
# (i686 mingw-w64, everything, built and linked only).

option(MFX_SANITIZE "Build the native configuration with AddressSanitizer and UBSan" ON)

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(WIN32)
    # The toolkit targets the classic ANSI Win32 API.
    add_compile_definitions(WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)
    # Tests run under Wine when the build asks for it; the launcher carries the private prefix, which the
    # builds of one checkout share beside their own folders (build/wineprefix).
    option(MFX_WINE_TESTS "Run the Windows tests under Wine" OFF)
    if(MFX_WINE_TESTS)
        cmake_path(GET CMAKE_BINARY_DIR PARENT_PATH builds)
        set(MFX_WINEPREFIX ${builds}/wineprefix CACHE PATH "The Wine prefix of the tests")
        configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
    endif()
elseif(MFX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build (clang, native): every library is instrumented for coverage; fuzz targets link libFuzzer.
option(MFX_FUZZ "Build the fuzz targets with clang's libFuzzer" OFF)
if(MFX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# GoogleTest, built from its sources with the project's compiler (Debian's package googletest installs them); on
# Windows it keeps to the system's own threads and locks rather than mingw-w64's pthreads layer.
set(MFX_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
if(WIN32)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${MFX_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# The Windows tests share one Wine session of their prefix (a virtual display and a persistent wineserver,
# cmake/winesession): CTest starts it before the first of them and stops it after the last, whatever selection of
# tests it runs.
if(MFX_WINE_TESTS)
    add_test(NAME wine_session_start COMMAND ${PROJECT_SOURCE_DIR}/cmake/winesession start ${MFX_WINEPREFIX})
    add_test(NAME wine_session_stop COMMAND ${PROJECT_SOURCE_DIR}/cmake/winesession stop ${MFX_WINEPREFIX})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)
endif()

# mfx_add_test(NAME [EXCLUSIVE] [SHARES resource...] SOURCES file... LIBS lib...): a GoogleTest program registered
# with CTest. On the Windows builds CTest starts it through the Wine launcher (the cross-compiling emulator) in the
# tests' Wine session. Tests run in parallel: their files go to scratch folders of their own (CTempFolder), so two
# never meet. EXCLUSIVE marks a test that uses state shared by the whole desktop (the clipboard, the focus and
# the foreground window, a window covering the screen, settings of the prefix that other tests read): labelled
# "exclusive", CTest never runs it beside another test. SHARES names a resource of the desktop that some tests
# serve or use under one name, such as a DDE service ("progman"): tests sharing one never run at the same time,
# but beside any other.
function(mfx_add_test name)
    cmake_parse_arguments(TEST "EXCLUSIVE" "" "SHARES;SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    if(MFX_WINE_TESTS)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_session)
    endif()
    if(TEST_EXCLUSIVE)
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE LABELS exclusive)
    endif()
    if(TEST_SHARES)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${TEST_SHARES}")
    endif()
endfunction()

# mfx_add_fuzzer(NAME SOURCES file... LIBS lib... SEEDS folder): a libFuzzer target, built only in the fuzz
# configuration (MFX_FUZZ), and a CTest entry labelled "fuzz" that runs it for MFX_FUZZ_SECONDS seconds (from
# the environment at test time, 10 by default) on its corpus in the build folder, seeded from SEEDS.
if(MFX_FUZZ)
    add_custom_target(mfx_fuzzers)
endif()
function(mfx_add_fuzzer name)
    if(NOT MFX_FUZZ)
        return()
    endif()
    cmake_parse_arguments(FUZZ "" "SEEDS" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${FUZZ_SOURCES})
    target_link_libraries(${name} PRIVATE ${FUZZ_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(mfx_fuzzers ${name})
    set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    set(scratch ${CMAKE_BINARY_DIR}/fuzz-tmp)
    file(MAKE_DIRECTORY ${corpus} ${scratch})
    add_test(NAME ${name}
             COMMAND sh -c "exec \"$0\" -max_total_time=\${MFX_FUZZ_SECONDS:-10} -rss_limit_mb=1024 -max_len=16384 -print_final_stats=1 \"$1\" \"$2\""
                     $<TARGET_FILE:${name}> ${corpus} ${FUZZ_SEEDS}
             WORKING_DIRECTORY ${scratch})
    set_tests_properties(${name} PROPERTIES LABELS fuzz ENVIRONMENT TMPDIR=${scratch})
endfunction()

# mfx_check_exports(TARGET NAME...): every build of the library TARGET checks, without running it, that it exports
# exactly the NAMEs (in the order the linker lists them, which is sorted).
function(mfx_check_exports target)
    string(REGEX REPLACE "gcc(-posix)?$" "objdump" objdump ${CMAKE_C_COMPILER})
    string(REPLACE ";" "," exports "${ARGN}")
    add_custom_command(TARGET ${target} POST_BUILD
                       COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:${target}> -DOBJDUMP=${objdump}
                               -DEXPORTS=${exports} -P ${PROJECT_SOURCE_DIR}/cmake/checkexports.cmake
                       VERBATIM)
endfunction()

# mfx_add_dll(NAME DEF base SOURCES file... LIBS lib... [SUFFIX .ext]): a Windows library named NAME (no "lib"
# prefix) with the export list base.def, or base_i686.def on i686: callers find the exports by their plain
# names, which the i686 calling convention decorates (Name@8), so that list names them both ways.
function(mfx_add_dll name)
    cmake_parse_arguments(DLL "" "DEF;SUFFIX" "SOURCES;LIBS" ${ARGN})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(def ${DLL_DEF}_i686.def)
    else()
        set(def ${DLL_DEF}.def)
    endif()
    add_library(${name} SHARED ${DLL_SOURCES} ${def})
    target_link_libraries(${name} PRIVATE ${DLL_LIBS})
    set_target_properties(${name} PROPERTIES PREFIX "")
    if(DLL_SUFFIX)
        set_target_properties(${name} PROPERTIES SUFFIX ${DLL_SUFFIX})
    endif()
endfunction()
