nimbrel_test(soft_display_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SoftBlitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SoftDisplayTest.cpp
  LIBS platform)
