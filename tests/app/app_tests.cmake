nimbrel_test(app_window_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WindowLayoutTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtTestMain.cpp
  LIBS app)
