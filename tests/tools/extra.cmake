# The inspector's tests link its logic library.
if(TARGET test_tools)
    target_link_libraries(test_tools PRIVATE orvik_inspect_lib)
endif()
# The golden workbooks and the inspector's expected outputs for them.
if(TARGET test_tools)
    target_compile_definitions(test_tools PRIVATE
        ORVIK_GOLDEN_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tools/golden")
endif()
