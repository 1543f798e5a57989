nimbrel_test(character_tables_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/NameTextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PathsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoadProcedureTest.cpp
  LIBS character playback)
