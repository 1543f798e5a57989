# End-to-end runs of the built nimbrel-slice; what it prints is read back
# through the definition reader.
if(TARGET nimbrel-slice)
  find_package(nlohmann_json 3 REQUIRED)
  nimbrel_test(slice_tool_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/SliceToolTest.cpp
    LIBS playback nlohmann_json::nlohmann_json)
  target_link_libraries(slice_tool_tests PRIVATE nimbrel_version)
  target_compile_definitions(slice_tool_tests PRIVATE NIMBREL_SLICE_BINARY="$<TARGET_FILE:nimbrel-slice>")
  add_dependencies(slice_tool_tests nimbrel-slice)
endif()
