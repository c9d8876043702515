# The layering check (a CTest, run as cmake -DROOT=<source folder> -P layering.cmake): every quoted include names
# a file from the repository root, and no folder includes from a folder above it.
#
# A component is a top-level folder, or a folder of setupext/, testing/ or tools/. It may include itself and
# what its line below lists. Its tests (any folder named tests inside it) may also include the tests of what it
# may include (their fixtures), and the components of testing/ whose own lists stay within its reach.

set(MFX_LAYERS
    "toolkit:"
    "movie:toolkit"
    "converter:toolkit movie"
    "plugin:toolkit movie"
    "setup:toolkit"
    # The libraries the engine loads see the records it passes them.
    "setupext/*:toolkit setup"
    "uninstall:toolkit setup"
    "testing/testsupport:toolkit"
    "testing/qtstandin:toolkit movie"
    "testing/progmanstandin:toolkit"
    "testing/dlgbare:"
    "testing/bdstandin:toolkit setup"
    "testing/hookstandin:toolkit setup"
    "testing/unevents:uninstall"
    "testing/moviefixture:toolkit movie testing/testsupport"
    "testing/designfixture:toolkit setup"
    "testing/nphost:toolkit movie plugin testing/testsupport"
    "testing/jobshow:toolkit movie testing/moviefixture testing/testsupport"
    "testing/batchshow:toolkit movie converter testing/moviefixture testing/testsupport"
    "testing/e2e:toolkit setup testing/testsupport"
    # Commands stand on top: any subsystem, fixture or stand-in, but no other command.
    "tools/*:toolkit movie converter plugin setup setupext/* uninstall testing/*")

# The component of a file or folder below ROOT, "" for one outside every component.
function(mfx_component path out)
    string(REGEX MATCH "^(setupext|testing|tools)/[^/]+" component "${path}")
    if(NOT component)
        string(REGEX MATCH "^(toolkit|movie|converter|plugin|setup|uninstall)/" component "${path}")
        string(REGEX REPLACE "/$" "" component "${component}")
    endif()
    set(${out} "${component}" PARENT_SCOPE)
endfunction()

# The list of what a component may include; sets found to FALSE for a component without a line.
function(mfx_allowed component out found)
    foreach(layer IN LISTS MFX_LAYERS)
        string(REGEX REPLACE ":.*" "" pattern "${layer}")
        string(REGEX REPLACE "^[^:]*:" "" allowed "${layer}")
        string(REPLACE "*" "[^/]+" pattern "${pattern}")
        if(component MATCHES "^${pattern}$")
            separate_arguments(allowed)
            set(${out} "${allowed}" PARENT_SCOPE)
            set(${found} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${found} FALSE PARENT_SCOPE)
endfunction()

# True when component may be included by a file of from, which is in tests when fTests is true.
function(mfx_may_include from fTests component out)
    set(${out} TRUE PARENT_SCOPE)
    if(component STREQUAL from)
        return()
    endif()
    mfx_allowed("${from}" allowed found)
    foreach(entry IN LISTS allowed)
        string(REPLACE "*" "[^/]+" entry "${entry}")
        if(component MATCHES "^${entry}$")
            return()
        endif()
    endforeach()
    if(fTests AND component MATCHES "^testing/")
        # A fixture or stand-in is within a test's reach when everything it stands on is.
        mfx_allowed("${component}" needs found)
        set(fReach TRUE)
        foreach(need IN LISTS needs)
            if(NOT need MATCHES "^testing/")
                mfx_may_include("${from}" FALSE "${need}" fNeed)
                if(NOT fNeed)
                    set(fReach FALSE)
                endif()
            endif()
        endforeach()
        if(fReach)
            return()
        endif()
    endif()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

set(failures 0)
set(sources)
foreach(folder toolkit movie converter plugin setup setupext uninstall testing tools)
    file(GLOB_RECURSE found RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.rc")
    list(APPEND sources ${found})
endforeach()
foreach(source IN LISTS sources)
    mfx_component("${source}" from)
    if(NOT from)
        continue()
    endif()
    mfx_allowed("${from}" allowed found)
    if(NOT found)
        message(SEND_ERROR "${source}: the folder ${from} has no line in cmake/layering.cmake")
        math(EXPR failures "${failures} + 1")
        continue()
    endif()
    set(fTests FALSE)
    if(source MATCHES "/tests/")
        set(fTests TRUE)
    endif()
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
        if(NOT EXISTS "${ROOT}/${included}")
            message(SEND_ERROR "${source}: #include \"${included}\" does not name a file from the repository root")
            math(EXPR failures "${failures} + 1")
            continue()
        endif()
        mfx_component("${included}" component)
        set(fOk TRUE)
        if(included MATCHES "/tests/" AND NOT fTests)
            set(fOk FALSE)  # product code never includes a test's header
        elseif(component)
            mfx_may_include("${from}" ${fTests} "${component}" fOk)
        endif()
        if(NOT fOk)
            message(SEND_ERROR "${source}: #include \"${included}\" reaches above ${from}")
            math(EXPR failures "${failures} + 1")
        endif()
    endforeach()
endforeach()
if(failures GREATER 0)
    message(FATAL_ERROR "${failures} includes against the layering")
endif()
