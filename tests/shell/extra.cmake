# The help texts spelled right, against Debian's Russian dictionary and the
# course's own word list.
add_test(NAME texts.spelling
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/shell/spellcheck.sh
            ${PROJECT_SOURCE_DIR}/data/texts ${PROJECT_SOURCE_DIR}/data/texts/course-words.dic)

# The text checks read the text sources and their worked answers.
if(TARGET test_shell)
    target_compile_definitions(test_shell PRIVATE ORVIK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endif()
