# Start-up: the time from starting the program to its main window mapped on an X
# server, beside a bare Qt main window measured in the same run (bench/startup.sh).
add_executable(bench_bare_window ${CMAKE_CURRENT_LIST_DIR}/bench_bare_window.cpp)
target_link_libraries(bench_bare_window PRIVATE Qt6::Widgets)
# The same window with the program's first page as Qt alone builds it from its form.
add_executable(bench_page_window ${CMAKE_CURRENT_LIST_DIR}/bench_page_window.cpp ${PROJECT_SOURCE_DIR}/app/DataSheetPage.ui)
set_target_properties(bench_page_window PROPERTIES AUTOUIC ON AUTOUIC_SEARCH_PATHS ${PROJECT_SOURCE_DIR}/app)
target_link_libraries(bench_page_window PRIVATE Qt6::Widgets)
# The stopwatch: the X server's own notice of the window mapped.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
add_executable(bench_map_timer ${CMAKE_CURRENT_LIST_DIR}/bench_map_timer.cpp)
target_link_libraries(bench_map_timer PRIVATE PkgConfig::XCB)
