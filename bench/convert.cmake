# Conversion of a generated 1000-wire antenna (3000 segments) with loads and coats
# through the library's export.
add_executable(bench_convert ${CMAKE_CURRENT_LIST_DIR}/bench_convert.cpp)
target_link_libraries(bench_convert PRIVATE VRN_NEC vrn_common benchmark::benchmark)
