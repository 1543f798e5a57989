nimbrel_test(platform_gdi_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BitmapTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StretchBltTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RleTest.cpp
  LIBS platform)
