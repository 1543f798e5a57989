nimbrel_test(platform_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ExceptionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StreamTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ByteReaderTest.cpp
  LIBS platform)
