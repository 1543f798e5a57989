nimbrel_fuzz(fuzz_bmp SOURCES ${CMAKE_CURRENT_LIST_DIR}/bmp.cpp LIBS display picture)
