# Checks the tip files and copies them into the install layout.
#
#   include(resources/tips/tips.cmake)
#   nomaro_install_tips(<folder>)
#
# The program reads a tip file line by line in the ANSI code page (1252 on
# English, German and Swedish systems) and shows every line, an empty one too,
# as a tip. So each file must be cp1252 bytes, every line ending in CR LF, no
# empty lines, no tip longer than the tip window holds, and the three
# languages must give the same number of tips. A broken file stops the
# configure step with the file, the line and the fault; the files are copied
# with configure_file, so editing one runs the check again.

set(NOMARO_TIPS_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(NOMARO_TIP_FILES TIPOFDAY.TXT TIPOFDAY3.TXT TIPOFDAY2.TXT)  # English, German, Swedish
set(NOMARO_LONGEST_TIP 249)

# Sets <out_count> to the number of tips in <file>; fails on the first fault.
function(nomaro_check_tip_file file out_count)
    file(READ "${file}" hex HEX)
    # One "xx " token per byte, so every pattern below starts at a byte.
    string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
    if(bytes STREQUAL "" OR bytes MATCHES "^ef bb bf ")
        message(FATAL_ERROR "${file}: empty, or a UTF-8 byte order mark")
    endif()
    if(NOT bytes MATCHES "0d 0a $")
        message(FATAL_ERROR "${file}: the last line does not end in CR LF")
    endif()
    string(REGEX REPLACE "0d 0a $" "" bytes "${bytes}")
    string(REPLACE "0d 0a " ";" lines "${bytes}")
    set(number 0)
    set(seen "")
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        string(LENGTH "${line}" length)
        math(EXPR length "${length} / 3")
        set(fault "")
        if(length EQUAL 0)
            set(fault "empty tip")
        elseif(length GREATER NOMARO_LONGEST_TIP)
            set(fault "longer than ${NOMARO_LONGEST_TIP} characters")
        elseif(line MATCHES "^20 " OR line MATCHES "20 $")
            set(fault "blank at the start or end")
        elseif(line MATCHES "(^| )(0[0-9a-f]|1[0-9a-f]|7f) ")
            set(fault "control character, or a lone CR or LF")
        elseif(line MATCHES "(^| )(81|8d|8f|90|9d) ")
            set(fault "byte that code page 1252 leaves undefined")
        elseif(line MATCHES "(^| )(c[2-9a-f]|d[0-9a-f]) [89ab][0-9a-f] ")
            set(fault "UTF-8 encoded character")
        elseif(line IN_LIST seen)
            set(fault "tip given twice")
        endif()
        if(fault)
            message(FATAL_ERROR "${file}, line ${number}: ${fault}")
        endif()
        list(APPEND seen "${line}")
    endforeach()
    set(${out_count} ${number} PARENT_SCOPE)
endfunction()

function(nomaro_install_tips folder)
    set(first_count "")
    foreach(tip_file IN LISTS NOMARO_TIP_FILES)
        nomaro_check_tip_file("${NOMARO_TIPS_DIR}/${tip_file}" count)
        if(first_count STREQUAL "")
            set(first_count ${count})
        elseif(NOT count EQUAL first_count)
            message(FATAL_ERROR "${tip_file} has ${count} tips, TIPOFDAY.TXT ${first_count}")
        endif()
        configure_file("${NOMARO_TIPS_DIR}/${tip_file}" "${folder}/${tip_file}" COPYONLY)
    endforeach()
endfunction()
