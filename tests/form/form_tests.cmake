nimbrel_test(form_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TypedEditTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandTableTest.cpp
  LIBS form)
