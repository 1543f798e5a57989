nimbrel_test(picture_dib_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DibReadTest.cpp
  LIBS picture)
