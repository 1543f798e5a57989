nimbrel_test(platform_errortext_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ErrorTextTest.cpp
  LIBS platform)
