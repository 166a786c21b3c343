# A 9-point frequency sweep: one engine process against all cores, and the engine alone.
add_executable(bench_sweep ${CMAKE_CURRENT_LIST_DIR}/bench_sweep.cpp)
target_link_libraries(bench_sweep PRIVATE vrn_analyses benchmark::benchmark)
target_compile_definitions(bench_sweep PRIVATE PROGRAM_DIR="${PROGRAM_DIR}")
add_dependencies(bench_sweep nec2c-classic)
