nimbrel_bench(bench_slice SOURCES ${CMAKE_CURRENT_LIST_DIR}/slice.cpp LIBS closeup)
target_compile_definitions(bench_slice PRIVATE NIMBREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
