# The optimizer on a 303-segment deck: evaluations per second with one and with every
# core, and its own time beside the engine's.
add_executable(bench_optimize ${CMAKE_CURRENT_LIST_DIR}/bench_optimize.cpp)
target_link_libraries(bench_optimize PRIVATE vrn_analyses)
target_compile_definitions(bench_optimize PRIVATE PROGRAM_DIR="${PROGRAM_DIR}")
add_dependencies(bench_optimize nec2c-classic)
