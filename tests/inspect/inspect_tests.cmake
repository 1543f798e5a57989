nimbrel_test(inspect_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PatternLinesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameMarksTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PixelDrawingTest.cpp
  LIBS inspect)
