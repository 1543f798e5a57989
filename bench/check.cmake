nimbrel_bench(bench_check SOURCES ${CMAKE_CURRENT_LIST_DIR}/check.cpp LIBS check)
