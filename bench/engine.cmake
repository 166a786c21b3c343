# The engines on a 3000-segment deck and a bare zgetrf of the same size: only with the
# fast engine (and so LAPACKE and OpenBLAS) in the build.
if(TARGET nec2c-blas)
  add_executable(bench_engine ${CMAKE_CURRENT_LIST_DIR}/bench_engine.cpp)
  target_include_directories(bench_engine PRIVATE "${LAPACKE_INCLUDE_DIR}")
  target_link_libraries(bench_engine PRIVATE Qt6::Core benchmark::benchmark "${LAPACKE_LIBRARY}" "${OPENBLAS_LIBRARY}")
  target_compile_definitions(bench_engine PRIVATE PROGRAM_DIR="${PROGRAM_DIR}")
  add_dependencies(bench_engine nec2c-blas)
endif()
