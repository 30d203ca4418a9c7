# Run by CPack after the files are laid out for the package and before it is
# built: Debian keeps manual pages compressed.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man[1-9]/*.[1-9]")
foreach(page ${pages})
    execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "gzip could not compress ${page}")
    endif()
endforeach()
