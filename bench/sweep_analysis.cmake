# A 45-point sweep of a 300-segment array: overhead against the engine alone, one process
# against all cores, the gain sweep, and the two-port sweep against the plain sweep.
add_executable(bench_sweep_analysis ${CMAKE_CURRENT_LIST_DIR}/bench_sweep_analysis.cpp)
target_link_libraries(bench_sweep_analysis PRIVATE vrn_analyses benchmark::benchmark)
target_compile_definitions(bench_sweep_analysis PRIVATE PROGRAM_DIR="${PROGRAM_DIR}")
add_dependencies(bench_sweep_analysis nec2c-classic)
