nimbrel_test(lsp_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ProtocolTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FeaturesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/EditingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SheetTest.cpp
  LIBS lsp)

if(TARGET nimbrel-check)
  nimbrel_test(lsp_check_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/DiagnosticsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ProgramTest.cpp
    LIBS lsp)
  target_compile_definitions(lsp_check_tests PRIVATE NIMBREL_CHECK_BINARY="$<TARGET_FILE:nimbrel-check>"
    NIMBREL_LSP_BINARY="$<TARGET_FILE:nimbrel-lsp>")
  add_dependencies(lsp_check_tests nimbrel-check nimbrel-lsp)
endif()

# Neovim's own LSP client against the built server; skipped without nvim.
if(TARGET nimbrel-lsp)
  add_test(NAME Lsp.Neovim
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/neovim_test.sh" "$<TARGET_FILE:nimbrel-lsp>" "${CMAKE_SOURCE_DIR}")
  set_tests_properties(Lsp.Neovim PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 90)
endif()
