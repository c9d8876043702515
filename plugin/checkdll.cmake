# Checks a built npvroon.dll without running it (the i686 build cannot run here): exactly the three exports by
# name, and the registration strings of its version resource. cmake -DDLL=... -DOBJDUMP=... -DSTRINGS=... -P
set(EXPORTS NP_GetEntryPoints,NP_Initialize,NP_Shutdown)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/checkexports.cmake)

execute_process(COMMAND ${STRINGS} -a -el ${DLL} OUTPUT_VARIABLE texts)
foreach(expected
        "040904E4" "MIMEType" "video/quicktime|video/x-quicktime" "FileExtents" "QT|MOV" "FileOpenName"
        "QT (*.QT)|Movie (*.MOV)" "ProductVersion" "FileVersion" "1.00.02" "ProductName" "FileDescription"
        "Flarion PlugIn</A> for <I>Netscape Navigator Gold 2.0x &amp 3.0x</I>" "WIDTH=112 HEIGHT=169 ALIGN=RIGHT"
        "<B><I>Flarion</I></B><SUP>tm</SUP> Version 1.00.02<HR>" "InternalName" "OriginalFilename" "npvroon.dll")
    string(FIND "${texts}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${DLL}: the version resource lacks \"${expected}\"")
    endif()
endforeach()
