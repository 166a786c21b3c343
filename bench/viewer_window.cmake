# The viewer window at full-screen size with the big fixture deck (3000 segments): the
# redraw of a rotation in the window, with a grab, and the replay into a 1920 x 1080
# framebuffer. Run under xvfb-run -s "-screen 0 1920x1080x24".
add_executable(bench_viewer_window ${CMAKE_CURRENT_LIST_DIR}/bench_viewer_window.cpp ${CMAKE_CURRENT_LIST_DIR}/RedrawBench.h)
target_link_libraries(bench_viewer_window PRIVATE vrn_viewer_window Qt6::Test benchmark::benchmark)
target_compile_definitions(bench_viewer_window PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
set_target_properties(bench_viewer_window PROPERTIES AUTOMOC ON)
