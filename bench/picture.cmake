nimbrel_bench(bench_picture SOURCES ${CMAKE_CURRENT_LIST_DIR}/picture.cpp LIBS picture)
