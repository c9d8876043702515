# Checks a built library without running it (the i686 build cannot run here): it exports exactly the names
# given, by name. cmake -DDLL=... -DOBJDUMP=... -DEXPORTS=name,name,... -P checkexports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([^\n]+\n)+" table "${dump}")
string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [A-Za-z_@0-9]+" names "${table}")
string(REGEX REPLACE "\t\\[ *[0-9]+\\] " "" names "${names}")
string(REPLACE "," ";" expected "${EXPORTS}")
if(NOT names STREQUAL expected)
    message(FATAL_ERROR "${DLL} exports '${names}', not '${expected}'")
endif()
