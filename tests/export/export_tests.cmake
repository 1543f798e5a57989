nimbrel_test(export_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GifEncoderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WritersTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayingAnimationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AtomicPngTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportFaultsTest.cpp
  LIBS export)
