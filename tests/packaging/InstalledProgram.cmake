# Installs the build into a fresh prefix and starts the installed program
# through the command on the PATH, offscreen and from another folder. The
# program has no command line: it must keep running until it is stopped,
# and it must find its data file beside the real executable.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DLIBDIR=lib/orvik -P InstalledProgram.cmake
cmake_minimum_required(VERSION 3.22)
set(errors)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${rc}) - is everything built?\n${out}\n${err}")
endif()

# The layout.
set(expected
    ${LIBDIR}/orvik ${LIBDIR}/orviklab.db2 bin/orvik bin/orvik-inspect
    share/man/man1/orvik-inspect.1 share/man/man1/orvik.1 etc/orvik/institution.txt
    share/applications/orvik.desktop
    share/icons/hicolor/scalable/apps/orvik.svg)
foreach(path ${expected})
    if(NOT EXISTS ${PREFIX}/${path})
        list(APPEND errors "${path} is not installed")
    endif()
endforeach()

# As installed, the department's institution file names no institution.
if(EXISTS ${PREFIX}/etc/orvik/institution.txt)
    file(STRINGS ${PREFIX}/etc/orvik/institution.txt named ENCODING UTF-8 REGEX "^[ \t]*[^# \t]")
    if(named)
        list(APPEND errors "etc/orvik/institution.txt names an institution: ${named}")
    endif()
endif()

# bin/orvik is a relative link, so the tree can be moved, and it leads to
# the executable that has the data file beside it.
if(NOT IS_SYMLINK ${PREFIX}/bin/orvik)
    list(APPEND errors "bin/orvik is not a link")
else()
    file(READ_SYMLINK ${PREFIX}/bin/orvik target)
    if(NOT target STREQUAL "../${LIBDIR}/orvik")
        list(APPEND errors "bin/orvik points to ${target}, not ../${LIBDIR}/orvik")
    endif()
    file(REAL_PATH ${PREFIX}/bin/orvik resolved)
    file(REAL_PATH ${PREFIX}/${LIBDIR}/orvik real_exe)
    get_filename_component(resolved_dir ${resolved} DIRECTORY)
    if(NOT resolved STREQUAL real_exe)
        list(APPEND errors "bin/orvik resolves to ${resolved}, not ${real_exe}")
    elseif(NOT EXISTS ${resolved_dir}/orviklab.db2)
        list(APPEND errors "orviklab.db2 is not beside ${resolved}")
    endif()
endif()

# The icons: a PNG of every usual size, as large as its folder says.
foreach(size 16 32 48 64 128 256)
    set(png ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/orvik.png)
    if(NOT EXISTS ${png})
        list(APPEND errors "the ${size}x${size} icon is not installed")
        continue()
    endif()
    file(READ ${png} header HEX LIMIT 24)
    string(SUBSTRING "${header}" 0 16 magic)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT magic STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        list(APPEND errors "${png} is not a ${size}x${size} PNG (${width}x${height})")
    endif()
endforeach()

# The desktop entry starts the command on the PATH with the installed icon.
set(desktop ${PREFIX}/share/applications/orvik.desktop)
if(EXISTS ${desktop})
    file(STRINGS ${desktop} entry ENCODING UTF-8)
    foreach(line "[Desktop Entry]" "Type=Application" "Name=ORVIK lab works"
            "Name[ru]=ОРВИК лабораторные работы" "Exec=orvik" "Icon=orvik" "Terminal=false")
        if(NOT line IN_LIST entry)
            list(APPEND errors "the desktop entry lacks the line ${line}")
        endif()
    endforeach()
    find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
    if(DESKTOP_FILE_VALIDATE)
        execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop}
            RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
        if(NOT rc EQUAL 0)
            list(APPEND errors "desktop-file-validate: ${out}${err}")
        endif()
    endif()
endif()

# The inspector runs from the PATH.
execute_process(COMMAND ${PREFIX}/bin/orvik-inspect --help
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "orvik-inspect")
    list(APPEND errors "bin/orvik-inspect --help failed (${rc}): ${err}")
endif()

if(errors)
    string(REPLACE ";" "\n  " errors "${errors}")
    message(FATAL_ERROR "installed tree ${PREFIX}:\n  ${errors}")
endif()

# Start the installed program from another folder, with a home of its own.
find_program(TIMEOUT timeout)
if(NOT TIMEOUT)
    message("ORVIK-SKIP: the timeout command (coreutils) is missing, the program is not started")
    return()
endif()
set(home ${PREFIX}/../home)
file(REMOVE_RECURSE ${home})
file(MAKE_DIRECTORY ${home})
set(seconds 8)
set(run ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HOME=${home}
    ${TIMEOUT} ${seconds} ${PREFIX}/bin/orvik)

# With strace the test also sees the program open its data file, which it
# does once the main window shows; without it, running on is all we check.
find_program(STRACE strace)
set(traced FALSE)
if(STRACE)
    set(log ${PREFIX}/../orvik.strace)
    file(REMOVE ${log})
    execute_process(COMMAND ${STRACE} -f -qq -e trace=openat,open -o ${log} ${run}
        WORKING_DIRECTORY ${home} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(EXISTS ${log} AND NOT err MATCHES "ptrace|Operation not permitted")
        set(traced TRUE)
    endif()
endif()
if(NOT traced)
    execute_process(COMMAND ${run}
        WORKING_DIRECTORY ${home} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
endif()
if(NOT rc EQUAL 124)
    message(FATAL_ERROR "the installed program stopped by itself (exit ${rc}) instead of "
        "running until stopped after ${seconds} s:\n${out}\n${err}")
endif()
if(traced)
    file(STRINGS ${log} opens REGEX "orviklab\\.db2")
    set(db2 "${real_exe}")
    get_filename_component(db2 ${db2} DIRECTORY)
    set(opened FALSE)
    foreach(line ${opens})
        if(line MATCHES "\"${db2}/orviklab\\.db2\".*= [0-9]+$")
            set(opened TRUE)
        endif()
    endforeach()
    if(NOT opened)
        message(FATAL_ERROR "the installed program did not open ${db2}/orviklab.db2 within "
            "${seconds} s; its attempts:\n${opens}\n${err}")
    endif()
    message(STATUS "the installed program ran and read ${db2}/orviklab.db2")
else()
    message(STATUS "the installed program ran until stopped (strace is unavailable, "
        "the data file reading is not watched)")
endif()
