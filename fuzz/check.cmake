nimbrel_fuzz(fuzz_check SOURCES ${CMAKE_CURRENT_LIST_DIR}/check.cpp LIBS check)
