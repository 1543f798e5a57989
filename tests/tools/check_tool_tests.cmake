# End-to-end runs of the built nimbrel-check, and of Vim on its output.
if(TARGET nimbrel-check)
  find_package(nlohmann_json 3 REQUIRED)
  nimbrel_test(check_tool_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/CheckToolTest.cpp
    LIBS platform nlohmann_json::nlohmann_json)
  target_link_libraries(check_tool_tests PRIVATE nimbrel_version)
  target_compile_definitions(check_tool_tests PRIVATE NIMBREL_CHECK_BINARY="$<TARGET_FILE:nimbrel-check>")
  add_dependencies(check_tool_tests nimbrel-check)
endif()
