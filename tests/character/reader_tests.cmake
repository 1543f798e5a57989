nimbrel_test(character_reader_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/IntegerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextTermsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DefinitionReaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DefinitionListsTest.cpp
  LIBS character)
