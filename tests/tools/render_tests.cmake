# End-to-end runs of the built nimbrel-render on files made by the tests.
if(TARGET nimbrel-render)
  find_package(nlohmann_json 3.11 REQUIRED)
  nimbrel_test(render_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/RenderStateTest.cpp ${CMAKE_CURRENT_LIST_DIR}/RenderFramesTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RenderPauseTest.cpp ${CMAKE_CURRENT_LIST_DIR}/RenderReloadTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RenderCloseupTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RenderRun.cpp ${CMAKE_CURRENT_LIST_DIR}/JsonValue.cpp
    LIBS platform nlohmann_json::nlohmann_json)
  target_compile_definitions(render_tests PRIVATE
    NIMBREL_RENDER_BINARY="$<TARGET_FILE:nimbrel-render>" NIMBREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(render_tests nimbrel-render)
  nimbrel_test(render_design_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/RenderDesignTest.cpp LIBS render)
endif()
