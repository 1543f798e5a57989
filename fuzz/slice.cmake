nimbrel_fuzz(fuzz_slice SOURCES ${CMAKE_CURRENT_LIST_DIR}/slice.cpp LIBS closeup)
