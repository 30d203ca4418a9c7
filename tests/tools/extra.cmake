# The inspector's tests link its logic library.
if(TARGET test_tools)
    target_link_libraries(test_tools PRIVATE orvik_inspect_lib)
endif()
