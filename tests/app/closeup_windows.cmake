nimbrel_test(app_closeup_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CloseupWindowsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtTestMain.cpp
  LIBS app Qt6::Test)
