nimbrel_fuzz(fuzz_lsp SOURCES ${CMAKE_CURRENT_LIST_DIR}/lsp.cpp LIBS lsp)
