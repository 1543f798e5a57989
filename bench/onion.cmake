nimbrel_bench(bench_onion SOURCES ${CMAKE_CURRENT_LIST_DIR}/onion.cpp LIBS closeup)
target_compile_definitions(bench_onion PRIVATE NIMBREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_include_directories(bench_onion PRIVATE "${CMAKE_SOURCE_DIR}/tests")
