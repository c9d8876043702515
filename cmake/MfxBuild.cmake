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
    # Tests run under Wine when the build asks for it; the launcher carries the private prefix.
    if(MFX_WINE_TESTS)
        configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                       FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
    endif()
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
elseif(MFX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build (clang, native): every library is instrumented for coverage; fuzz targets link libFuzzer.
option(MFX_FUZZ "Build the fuzz targets with clang's libFuzzer" OFF)
if(MFX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# mfx_add_test(NAME [EXCLUSIVE] SOURCES file... LIBS lib...): a GoogleTest program registered with CTest. On the
# Windows builds CTest starts it through the Wine launcher (the cross-compiling emulator). EXCLUSIVE marks a
# test that uses state shared by the whole desktop (clipboard, focus, the same files or keys as another test):
# CTest never runs it beside another test.
function(mfx_add_test name)
    cmake_parse_arguments(TEST "EXCLUSIVE" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    if(TEST_EXCLUSIVE)
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
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
