# Installation and packaging: the installed tree runs from anywhere, and the
# Debian package holds everything a lab computer needs.
if(ORVIK_WITH_UI)
    set(orvik_pk_dir ${CMAKE_BINARY_DIR}/packaging-test)

    add_test(NAME packaging.installed_program
        COMMAND ${CMAKE_COMMAND}
            -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DPREFIX=${orvik_pk_dir}/prefix
            -DLIBDIR=${ORVIK_INSTALL_LIBDIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/InstalledProgram.cmake)
    set_tests_properties(packaging.installed_program PROPERTIES
        TIMEOUT 120 RESOURCE_LOCK orvik_install SKIP_REGULAR_EXPRESSION "ORVIK-SKIP:")

    add_test(NAME packaging.build_deb
        COMMAND ${CMAKE_COMMAND}
            -DBUILD_DIR=${CMAKE_BINARY_DIR}
            -DCPACK=${CMAKE_CPACK_COMMAND}
            -DOUT_DIR=${orvik_pk_dir}/deb
            -DVERSION=${PROJECT_VERSION}
            -P ${CMAKE_CURRENT_LIST_DIR}/BuildPackage.cmake)
    set_tests_properties(packaging.build_deb PROPERTIES
        TIMEOUT 300 RESOURCE_LOCK orvik_install FIXTURES_SETUP orvik_deb
        SKIP_REGULAR_EXPRESSION "ORVIK-SKIP:")

    add_test(NAME packaging.deb_contents
        COMMAND ${CMAKE_COMMAND}
            -DDEB_DIR=${orvik_pk_dir}/deb
            -DVERSION=${PROJECT_VERSION}
            -DLIBDIR=${ORVIK_INSTALL_LIBDIR}
            -P ${CMAKE_CURRENT_LIST_DIR}/DebContents.cmake)
    set_tests_properties(packaging.deb_contents PROPERTIES
        TIMEOUT 60 FIXTURES_REQUIRED orvik_deb SKIP_REGULAR_EXPRESSION "ORVIK-SKIP:")
endif()
