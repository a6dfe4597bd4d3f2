cmake_policy(SET CMP0057 NEW)
# Fails when a source file under ROOT/src or ROOT/tools includes a header of a folder its own
# folder may not use, or a Qt module its folder does not link. Each folder's rule is what its
# library links (src/*/CMakeLists.txt, tools/CMakeLists.txt); a folder without a rule fails too,
# so that a new one is placed before it is built on. Problems are printed one a line,
# "layering: FILE: LINE", for the case test (check_cases.cmake) to compare.

# The Qt headers of a module: names found in its own include folder (QtWidgets/, ...).
function(module_headers out dirs)
    set(names)
    foreach(dir IN LISTS dirs)
        get_filename_component(leaf ${dir} NAME)
        if(leaf MATCHES "^Qt(Widgets|PrintSupport|Gui|Sql)$")
            file(GLOB headers RELATIVE ${dir} ${dir}/Q*)
            list(APPEND names ${headers})
            foreach(h IN LISTS headers)
                list(APPEND names "${leaf}/${h}")
            endforeach()
        endif()
    endforeach()
    set(${out} ${names} PARENT_SCOPE)
endfunction()

module_headers(widgets_headers "${WIDGETS}") # Widgets and PrintSupport
module_headers(gui_headers "${GUI}")
module_headers(sql_headers "${SQL}")

# The project's folders that headers are included by: "core/common/Helpers.h", "mkdb/...".
set(project_folders core data render gui app cli mkdb)

# Per folder: the project folders it may include (USES) and the Qt modules it may not (BANS).
set(ruled)
macro(rule folder)
    cmake_parse_arguments(rule "" "" "USES;BANS" ${ARGN})
    string(MAKE_C_IDENTIFIER ${folder} key)
    set(uses_${key} ${rule_USES})
    set(bans_${key} ${rule_BANS})
    list(APPEND ruled ${folder})
endmacro()

rule(src/core USES core BANS widgets gui sql)
rule(src/data USES core data BANS widgets gui)
rule(src/render USES core render BANS widgets sql)
rule(src/gui USES core data render gui)
rule(src/app USES core data render gui app)
rule(src/cli USES core data render cli mkdb BANS widgets)
# The database maker builds on the stores; the guide's check stands alone on QtCore; the
# guide's pictures are taken of the program itself.
rule(tools/mkdb USES core data mkdb BANS widgets gui)
rule(tools/guide BANS widgets gui sql)
rule(tools/docshots USES core data render gui app)

set(problems)
foreach(top src tools)
    file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/${top}/*)
    foreach(folder IN LISTS folders)
        if(NOT IS_DIRECTORY ${ROOT}/${folder})
            continue()
        endif()
        file(GLOB_RECURSE files ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
        if(NOT files)
            continue()
        endif()
        if(NOT folder IN_LIST ruled)
            list(APPEND problems "${folder}: no rule says what it may include")
            continue()
        endif()
        string(MAKE_C_IDENTIFIER ${folder} key)
        foreach(file IN LISTS files)
            file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
            foreach(line IN LISTS includes)
                string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1"
                       header "${line}")
                set(bad FALSE)
                string(REGEX MATCH "^[^/]+" first "${header}")
                if(header MATCHES "/" AND first IN_LIST project_folders
                   AND NOT first IN_LIST uses_${key})
                    set(bad TRUE)
                endif()
                foreach(module IN LISTS bans_${key})
                    if(header IN_LIST ${module}_headers)
                        set(bad TRUE)
                    endif()
                endforeach()
                if(bad)
                    file(RELATIVE_PATH rel ${ROOT} ${file})
                    list(APPEND problems "${rel}: ${line}")
                endif()
            endforeach()
        endforeach()
    endforeach()
endforeach()

if(problems)
    foreach(problem IN LISTS problems)
        message(NOTICE "layering: ${problem}")
    endforeach()
    list(LENGTH problems count)
    message(FATAL_ERROR "${count} includes across layers (or folders without a rule)")
endif()
message(STATUS "Layers keep to themselves.")
