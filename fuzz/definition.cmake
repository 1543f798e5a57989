nimbrel_fuzz(fuzz_definition SOURCES ${CMAKE_CURRENT_LIST_DIR}/definition.cpp LIBS character)
