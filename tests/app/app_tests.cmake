find_package(Qt6 REQUIRED COMPONENTS Test)
nimbrel_test(app_window_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WindowLayoutTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowCommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainLoopTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ErrorReportTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CheckWindowTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShareCommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowDropTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowViewTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TranslationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtTestMain.cpp
  LIBS app Qt6::Test)
