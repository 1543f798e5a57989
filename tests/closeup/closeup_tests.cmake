nimbrel_test(closeup_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/PatternLinesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameMarksTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PixelDrawingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OnionSkinTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SlicerTest.cpp
  LIBS closeup)
