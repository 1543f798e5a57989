nimbrel_bench(bench_closeup SOURCES ${CMAKE_CURRENT_LIST_DIR}/closeup.cpp LIBS closeup)
