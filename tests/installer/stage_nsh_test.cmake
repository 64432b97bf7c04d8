# The setup program's file list from a staged tree with nested folders: every file installed into
# its own folder, every file removed, and each folder removed after the folders inside it.
#   cmake -DSCRIPT=<cmake/write_stage_nsh.cmake> -DWORK=<folder> -P stage_nsh_test.cmake

file(REMOVE_RECURSE "${WORK}")
foreach(name system/Quorvane.scr program/varnoth.pgn program/Skin/Walnut.bmp
             program/Skin/2x/Walnut.bmp program/Extra/deep/note.txt)
    file(WRITE "${WORK}/stage/${name}" "${name}")
endforeach()
set(nsh "${WORK}/files.nsh")
execute_process(COMMAND "${CMAKE_COMMAND}" "-DSTAGE=${WORK}/stage" "-DOUTPUT=${nsh}"
                        -DSYSTEM_DIR=system -DPROGRAM_DIR=program -P "${SCRIPT}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "the script failed: ${result}")
endif()
file(READ "${nsh}" text)

set(failures "")
# Each expected line, in this order, within its macro.
function(expect_in_order macro)
    string(REGEX MATCH "!macro ${macro}[^\n]*\n(.*)" body "${text}")
    string(FIND "${CMAKE_MATCH_1}" "!macroend" end)
    string(SUBSTRING "${CMAKE_MATCH_1}" 0 ${end} body)
    set(from 0)
    foreach(line IN LISTS ARGN)
        string(SUBSTRING "${body}" ${from} -1 rest)
        string(FIND "${rest}" "${line}" at)
        if(at EQUAL -1)
            list(APPEND failures "${macro}: missing or out of order: ${line}")
            set(failures "${failures}" PARENT_SCOPE)
            return()
        endif()
        math(EXPR from "${from} + ${at} + 1")
    endforeach()
endfunction()

expect_in_order(QuorvaneInstallSystemFiles "File \"${WORK}/stage/system/Quorvane.scr\"")
expect_in_order(QuorvaneRemoveSystemFiles "Delete /REBOOTOK \"$SYSDIR\\Quorvane.scr\"")
# The last folder set before the file's line is the file's own.
function(expect_installed_in folder name)
    string(FIND "${text}" "File \"${WORK}/stage/program/${name}\"" at)
    if(at EQUAL -1)
        list(APPEND failures "not installed: ${name}")
    else()
        string(SUBSTRING "${text}" 0 ${at} before)
        string(REGEX MATCHALL "SetOutPath \"[^\"]*\"" folders "${before}")
        list(GET folders -1 last)
        if(NOT last STREQUAL "SetOutPath \"${folder}\"")
            list(APPEND failures "${name} installed after ${last}, not into ${folder}")
        endif()
    endif()
    set(failures "${failures}" PARENT_SCOPE)
endfunction()

expect_installed_in("$INSTDIR\\Extra\\deep" Extra/deep/note.txt)
expect_installed_in("$INSTDIR\\Skin" Skin/Walnut.bmp)
expect_installed_in("$INSTDIR\\Skin\\2x" Skin/2x/Walnut.bmp)
expect_installed_in("$INSTDIR" varnoth.pgn)
expect_in_order(QuorvaneRemoveProgramFiles
    "Delete \"\${FOLDER}\\Extra\\deep\\note.txt\"" "Delete \"\${FOLDER}\\Skin\\2x\\Walnut.bmp\""
    "Delete \"\${FOLDER}\\Skin\\Walnut.bmp\"" "Delete \"\${FOLDER}\\varnoth.pgn\""
    "RMDir \"\${FOLDER}\\Skin\\2x\"" "RMDir \"\${FOLDER}\\Skin\""
    "RMDir \"\${FOLDER}\\Extra\\deep\"" "RMDir \"\${FOLDER}\\Extra\"")
# The top folder is the setup script's to remove, after its uninstaller.
if(text MATCHES "RMDir \"\\\${FOLDER}\"")
    list(APPEND failures "the list removes the installation folder itself")
endif()

if(failures)
    string(JOIN "\n" report ${failures})
    message(FATAL_ERROR "${report}\n--- ${nsh}:\n${text}")
endif()
