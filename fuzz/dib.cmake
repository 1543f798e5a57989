nimbrel_fuzz(fuzz_dib SOURCES ${CMAKE_CURRENT_LIST_DIR}/dib.cpp LIBS display picture)
