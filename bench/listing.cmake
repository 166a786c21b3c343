# Reading the listing of the big fixture deck (3000 segments) into the results, and the
# rewrite of nec2c's listing of the same deck into the classic layout.
add_executable(bench_listing ${CMAKE_CURRENT_LIST_DIR}/bench_listing.cpp)
target_link_libraries(bench_listing PRIVATE vrn_engine benchmark::benchmark)
target_compile_definitions(bench_listing PRIVATE
  TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
  NEC2C_CLASSIC_TOOL="$<TARGET_FILE:nec2c-classic>")
add_dependencies(bench_listing nec2c-classic)
