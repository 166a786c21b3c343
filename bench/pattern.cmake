# The radiation pattern surface: the redraw of the big fixture deck (3000 segments) with
# its currents and a 5-degree pattern surface, and the building of the surface and its
# scene from a parsed pattern. The redraw needs OpenGL: run it under xvfb-run.
add_executable(bench_pattern ${CMAKE_CURRENT_LIST_DIR}/bench_pattern.cpp ${CMAKE_CURRENT_LIST_DIR}/RedrawBench.h)
target_link_libraries(bench_pattern PRIVATE vrn_viewer_gl benchmark::benchmark)
target_compile_definitions(bench_pattern PRIVATE TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
