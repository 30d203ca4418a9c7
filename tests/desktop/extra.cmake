# Window tests on a real X display under a window manager: focus, stacking
# and minimising, which the offscreen platform cannot show. Not run by
# ctest: scripts/desktop-tests.sh starts Xvfb and openbox for them, as a
# stage of `make check`.
if(ORVIK_WITH_UI)
    add_executable(desktoptest_windows ${CMAKE_CURRENT_LIST_DIR}/WindowManager.desktoptest.cpp)
    target_link_libraries(desktoptest_windows PRIVATE orvik_ui orvik_test_support Qt6::Test GTest::gtest)
endif()
