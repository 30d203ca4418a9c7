# Printing through a real CUPS server that the test starts itself; it needs its
# own process, because the printer server is chosen when printing is first used.
if(ORVIK_WITH_UI)
    add_executable(uitest_report_cups ${CMAKE_CURRENT_SOURCE_DIR}/report/ReportCups.cupstest.cpp
                                      ${CMAKE_CURRENT_SOURCE_DIR}/support/UiTestMain.cpp)
    target_link_libraries(uitest_report_cups PRIVATE orvik_ui orvik_test_support GTest::gtest)
    gtest_discover_tests(uitest_report_cups DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endif()
