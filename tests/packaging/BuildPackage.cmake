# Builds the Debian package with CPack into OUT_DIR, away from the package
# `make package` leaves in the build folder.
#   cmake -DBUILD_DIR=... -DCPACK=... -DOUT_DIR=... -DVERSION=... -P BuildPackage.cmake
cmake_minimum_required(VERSION 3.22)
foreach(tool dpkg-deb dpkg-shlibdeps)
    find_program(found_${tool} ${tool})
    if(NOT found_${tool})
        message("ORVIK-SKIP: ${tool} is missing (package dpkg-dev), the package cannot be built here")
        return()
    endif()
endforeach()
if(NOT EXISTS ${BUILD_DIR}/CPackConfig.cmake)
    message(FATAL_ERROR "${BUILD_DIR}/CPackConfig.cmake is missing: the packaging was not configured")
endif()

file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(
    COMMAND ${CPACK} -G DEB -B ${OUT_DIR} --config ${BUILD_DIR}/CPackConfig.cmake
    WORKING_DIRECTORY ${BUILD_DIR}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed (${rc}):\n${out}\n${err}")
endif()
file(GLOB debs ${OUT_DIR}/*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "cpack made ${count} packages instead of one: ${debs}\n${out}")
endif()
get_filename_component(name ${debs} NAME)
if(NOT name MATCHES "^orvik_${VERSION}_[a-z0-9]+\\.deb$")
    message(FATAL_ERROR "the package is named ${name}, not orvik_${VERSION}_<arch>.deb")
endif()
message(STATUS "built ${debs}")
