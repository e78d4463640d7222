# The folders are layers: a file may include headers of its own folder and of
# the folders its layer stands on, never of a folder above or beside it.
# Checked when the project is configured, so a wrong include stops the build.
set(NOMARO_LAYERS
    "base:"
    "ui:base"
    "rename:ui base"
    "listwin:ui base"
    "search:ui base"
    "about:ui base"
    "shellext:rename ui base"
    "app:shellext about search listwin rename ui base")

function(nomaro_check_layers)
    set(violations "")
    foreach(layer ${NOMARO_LAYERS})
        string(REPLACE ":" ";" parts "${layer}")
        list(GET parts 0 folder)
        list(LENGTH parts count)
        set(allowed ${folder} resources)
        if(count GREATER 1)
            list(GET parts 1 below)
            string(REPLACE " " ";" below "${below}")
            list(APPEND allowed ${below})
        endif()
        file(GLOB sources ${PROJECT_SOURCE_DIR}/${folder}/*.h ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
        foreach(source ${sources})
            file(STRINGS ${source} includes REGEX "^#include \"[a-z]+/")
            foreach(line ${includes})
                string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" target "${line}")
                if(NOT target IN_LIST allowed)
                    file(RELATIVE_PATH shown ${PROJECT_SOURCE_DIR} ${source})
                    string(APPEND violations "\n  ${shown}: ${line}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(violations)
        message(FATAL_ERROR "Includes across the layers (see the README's layout table):${violations}")
    endif()
endfunction()

nomaro_check_layers()
