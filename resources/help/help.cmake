# Compiles the help pages under resources/help into Nomaro.chm with chmcmd.
#
#   include(resources/help/help.cmake)
#   nomaro_add_help(<target_name> <output_chm>)
#
# adds the custom target <target_name> that builds the file <output_chm>.
# The sources are copied into a folder of the build tree first, because chmcmd
# writes its output beside the project file and the source tree stays clean.

set(NOMARO_HELP_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}")

find_program(NOMARO_CHMCMD chmcmd REQUIRED)

function(nomaro_add_help target_name output_chm)
    set(src "${NOMARO_HELP_SOURCE_DIR}")
    set(stage "${CMAKE_CURRENT_BINARY_DIR}/${target_name}-sources")
    get_filename_component(output_dir "${output_chm}" DIRECTORY)

    file(GLOB help_pages CONFIGURE_DEPENDS
        "${src}/html/*.htm"
        "${src}/html/*.css")
    set(help_project
        "${src}/Nomaro.hhp"
        "${src}/Nomaro.hhc"
        "${src}/Nomaro.hhk")

    # The folder is emptied first so that a page removed from the sources
    # does not linger in the compiled file.
    add_custom_command(
        OUTPUT "${output_chm}"
        COMMAND "${CMAKE_COMMAND}" -E rm -rf "${stage}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${stage}/html" "${output_dir}"
        COMMAND "${CMAKE_COMMAND}" -E copy ${help_pages} "${stage}/html"
        COMMAND "${CMAKE_COMMAND}" -E copy ${help_project} "${stage}"
        COMMAND "${CMAKE_COMMAND}" -E chdir "${stage}" "${NOMARO_CHMCMD}" --no-html-scan Nomaro.hhp
        COMMAND "${CMAKE_COMMAND}" -E copy "${stage}/Nomaro.chm" "${output_chm}"
        WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
        DEPENDS ${help_pages} ${help_project}
        COMMENT "Compiling help file ${output_chm}"
        VERBATIM)
    add_custom_target(${target_name} ALL DEPENDS "${output_chm}")
endfunction()
