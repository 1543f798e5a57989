nimbrel_bench(bench_display SOURCES ${CMAKE_CURRENT_LIST_DIR}/display.cpp LIBS display)
