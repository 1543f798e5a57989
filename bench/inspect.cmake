nimbrel_bench(bench_inspect SOURCES ${CMAKE_CURRENT_LIST_DIR}/inspect.cpp LIBS inspect)
