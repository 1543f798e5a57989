nimbrel_fuzz(fuzz_rle SOURCES ${CMAKE_CURRENT_LIST_DIR}/rle.cpp LIBS picture)
