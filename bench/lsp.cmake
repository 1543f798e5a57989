nimbrel_bench(bench_lsp SOURCES ${CMAKE_CURRENT_LIST_DIR}/lsp.cpp LIBS lsp)
