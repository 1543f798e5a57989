nimbrel_test(app_inspect_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/InspectWindowsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtTestMain.cpp
  LIBS app)
