# The distinct radii of an antenna file preview with 200,000 wires.
add_executable(bench_preview ${CMAKE_CURRENT_LIST_DIR}/bench_preview.cpp)
target_link_libraries(bench_preview PRIVATE vrn_engine benchmark::benchmark)
