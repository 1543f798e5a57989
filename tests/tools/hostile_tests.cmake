# The driver and the checker on files a real desktop holds that are not what
# they seem: special files, hostile names and texts, oversized outputs.
if(TARGET nimbrel-render AND TARGET nimbrel-check)
  nimbrel_test(hostile_tool_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/HostileFilesTest.cpp ${CMAKE_CURRENT_LIST_DIR}/RenderRun.cpp
    LIBS platform)
  target_compile_definitions(hostile_tool_tests PRIVATE
    NIMBREL_RENDER_BINARY="$<TARGET_FILE:nimbrel-render>" NIMBREL_CHECK_BINARY="$<TARGET_FILE:nimbrel-check>")
  add_dependencies(hostile_tool_tests nimbrel-render nimbrel-check)
endif()
