nimbrel_test(picture_dib_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DibReadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DibRejectTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DibRleTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DibImageTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BitFieldsTest.cpp
  LIBS picture)
