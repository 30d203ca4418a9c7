# The exports once more in the C locale (the suite itself runs in Russian), so
# that a file written under either is checked on every run.
if(ORVIK_WITH_UI)
    add_test(NAME c_locale.exports
        COMMAND uitest_widgets --gtest_filter=*TableExport*:*RussianDesktop*:*ExportNames*)
    set_tests_properties(c_locale.exports PROPERTIES
        ENVIRONMENT "LC_ALL=C.UTF-8;LANG=C.UTF-8;QT_QPA_PLATFORM=offscreen")
endif()
