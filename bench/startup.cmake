# Start-up: the time from starting the program to its main window mapped on an X
# server, beside a bare Qt main window measured in the same run (bench/startup.sh).
add_executable(bench_bare_window ${CMAKE_CURRENT_LIST_DIR}/bench_bare_window.cpp)
target_link_libraries(bench_bare_window PRIVATE Qt6::Widgets)
