nimbrel_test(lsp_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ProtocolTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FeaturesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditingTest.cpp
  LIBS lsp)

if(TARGET nimbrel-check)
  nimbrel_test(lsp_check_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/DiagnosticsTest.cpp
    LIBS lsp)
  target_compile_definitions(lsp_check_tests PRIVATE NIMBREL_CHECK_BINARY="$<TARGET_FILE:nimbrel-check>")
  add_dependencies(lsp_check_tests nimbrel-check)
endif()
