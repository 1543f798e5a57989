nimbrel_test(check_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FindingsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextReportTest.cpp
  LIBS check)
