# Checks that every #include "…" of the program's own sources stays within its layer, and that
# the platform-free code includes no Windows header. Prints each include that crosses, with its
# file and line, and fails when there is one.
#
#   cmake -DROOT=<source tree> -P tools/check-layers.cmake

if(NOT ROOT)
    get_filename_component(ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()

# The folders each layer may include, besides its own.
set(may_base "")
set(may_sizing base)
set(may_framework base)
set(may_skin base)
set(may_link framework base)
set(may_calc framework sizing base res)
set(may_cli sizing base)
set(may_app calc cli link skin framework sizing base res)
# The native tests test the platform-free layers and include what those include.
set(may_tests/host sizing cli skin link base)
set(layers base sizing framework skin link calc cli app tests/host)
set(program_folders base sizing framework skin link calc cli app res)

# Headers of the Windows API: only a platform's own files ("…_win.*") of these layers use them.
set(platform_free base sizing cli tests/host)
set(windows_headers windows.h windowsx.h commctrl.h commdlg.h shellapi.h shlobj.h shlwapi.h
                    objbase.h ole2.h winuser.h wingdi.h winreg.h uxtheme.h)

set(crossings 0)
foreach(layer ${layers})
    file(GLOB_RECURSE sources "${ROOT}/${layer}/*.h" "${ROOT}/${layer}/*.cpp")
    foreach(source ${sources})
        file(RELATIVE_PATH name "${ROOT}" "${source}")
        get_filename_component(stem "${source}" NAME_WE)
        file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line ${lines})
            string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" quoted "${line}")
            set(included "${CMAKE_MATCH_1}")
            if(line MATCHES "<")
                string(TOLOWER "${included}" lower)
                list(FIND windows_headers "${lower}" windows)
                list(FIND platform_free "${layer}" free)
                if(windows GREATER -1 AND free GREATER -1 AND NOT stem MATCHES "_win$")
                    message("${name}: #include <${included}>: the Windows API in platform-free code")
                    math(EXPR crossings "${crossings} + 1")
                endif()
                continue()
            endif()
            string(REGEX MATCH "^[^/]+" folder "${included}")
            list(FIND program_folders "${folder}" ours)
            if(ours EQUAL -1 OR included MATCHES "^${layer}/")
                continue() # the layer itself, or a file beside the including one
            endif()
            list(FIND may_${layer} "${folder}" allowed)
            if(allowed EQUAL -1)
                message("${name}: #include \"${included}\": ${layer}/ may not include ${folder}/")
                math(EXPR crossings "${crossings} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(crossings GREATER 0)
    message(FATAL_ERROR "${crossings} include(s) cross the layers")
endif()
message("Every include stays within its layer.")
