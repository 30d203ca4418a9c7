# Checks the Debian package made by BuildPackage.cmake: its files and its
# control fields.
#   cmake -DDEB_DIR=... -DVERSION=... -DLIBDIR=lib/orvik -P DebContents.cmake
cmake_minimum_required(VERSION 3.22)
find_program(DPKG_DEB dpkg-deb)
if(NOT DPKG_DEB)
    message("ORVIK-SKIP: dpkg-deb is missing (package dpkg), the package cannot be read here")
    return()
endif()
file(GLOB debs ${DEB_DIR}/orvik_${VERSION}_*.deb)
if(NOT debs)
    message("ORVIK-SKIP: no package in ${DEB_DIR}: it could not be built here (see packaging.build_deb)")
    return()
endif()
list(GET debs 0 deb)

set(errors)
execute_process(COMMAND ${DPKG_DEB} -c ${deb}
    RESULT_VARIABLE rc OUTPUT_VARIABLE listing ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -c ${deb} failed: ${err}")
endif()

# Every line ends with the path (and " -> target" for a link).
string(REPLACE "\n" ";" lines "${listing}")
set(paths)
foreach(line ${lines})
    if(line MATCHES " (\\./[^ ]*)( -> (.*))?$")
        list(APPEND paths ${CMAKE_MATCH_1})
        if(CMAKE_MATCH_3)
            set(link_${CMAKE_MATCH_1} ${CMAKE_MATCH_3})
        endif()
        if(NOT CMAKE_MATCH_1 MATCHES "^\\./((usr|etc|etc/orvik)/.*)?$")
            list(APPEND errors "${CMAKE_MATCH_1} lies outside /usr and /etc/orvik")
        endif()
    endif()
endforeach()

set(expected
    ./usr/${LIBDIR}/orvik
    ./usr/${LIBDIR}/orviklab.db2
    ./usr/bin/orvik
    ./usr/bin/orvik-inspect
    ./usr/share/man/man1/orvik-inspect.1.gz
    ./usr/share/man/man1/orvik.1.gz
    ./etc/orvik/institution.txt
    ./usr/share/applications/orvik.desktop
    ./usr/share/icons/hicolor/scalable/apps/orvik.svg)
foreach(size 16 32 48 64 128 256)
    list(APPEND expected ./usr/share/icons/hicolor/${size}x${size}/apps/orvik.png)
endforeach()
foreach(path ${expected})
    if(NOT path IN_LIST paths)
        list(APPEND errors "${path} is missing")
    endif()
endforeach()
if(NOT DEFINED link_./usr/bin/orvik)
    list(APPEND errors "./usr/bin/orvik is not a link")
elseif(NOT link_./usr/bin/orvik STREQUAL "../${LIBDIR}/orvik")
    list(APPEND errors "./usr/bin/orvik points to ${link_./usr/bin/orvik}, not ../${LIBDIR}/orvik")
endif()

# The department's institution file is a configuration file: upgrades keep it.
execute_process(COMMAND ${DPKG_DEB} -I ${deb} conffiles OUTPUT_VARIABLE conffiles)
if(NOT conffiles MATCHES "^/etc/orvik/institution.txt\n$")
    list(APPEND errors "the conffiles are not /etc/orvik/institution.txt alone: ${conffiles}")
endif()

# Control fields.
execute_process(COMMAND ${DPKG_DEB} -f ${deb} Package Version Section Maintainer Depends Description
    OUTPUT_VARIABLE control)
foreach(want "Package: orvik\n" "Version: ${VERSION}\n" "Section: education\n" "Maintainer: [^\n]*<[^>@]+@[^>]+>"
        "Description: [^\n]*lab works" "ОРВИК")
    if(NOT control MATCHES "${want}")
        list(APPEND errors "the control fields lack ${want}")
    endif()
endforeach()
if(control MATCHES "Depends: ([^\n]*)")
    set(depends "${CMAKE_MATCH_1}")
    # The libraries come from dpkg-shlibdeps, with their least versions.
    foreach(dep "libqt6core6[^,]*\\(>= 6" "libqt6gui6[^,]*\\(>= 6" "libqt6widgets6[^,]*\\(>= 6"
            "libxlsxwriter4 \\(>= " "libc6 \\(>= " "libstdc\\+\\+6 \\(>= " "fonts-liberation2"
            "qt6-qpa-plugins" "qt6-translations-l10n")
        if(NOT depends MATCHES "${dep}")
            list(APPEND errors "Depends lacks ${dep}: ${depends}")
        endif()
    endforeach()
else()
    list(APPEND errors "the package has no Depends")
endif()

if(errors)
    string(REPLACE ";" "\n  " errors "${errors}")
    message(FATAL_ERROR "${deb}:\n  ${errors}\n\nFiles:\n${listing}\nControl:\n${control}")
endif()
message(STATUS "${deb}: files and control fields are right")
