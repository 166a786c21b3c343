# The viewer on the listing of the big fixture deck (3000 segments): a redraw with the
# currents shown, the scene after a zoom change, and the reading of the model. The
# redraw needs OpenGL: run it under xvfb-run (Mesa llvmpipe).
add_executable(bench_viewer ${CMAKE_CURRENT_LIST_DIR}/bench_viewer.cpp ${CMAKE_CURRENT_LIST_DIR}/RedrawBench.h)
target_link_libraries(bench_viewer PRIVATE vrn_viewer_gl benchmark::benchmark)
target_compile_definitions(bench_viewer PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
