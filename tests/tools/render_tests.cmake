# End-to-end runs of the built nimbrel-render on files made by the tests.
if(TARGET nimbrel-render)
  nimbrel_test(render_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/RenderStateTest.cpp ${CMAKE_CURRENT_LIST_DIR}/RenderFramesTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RenderPauseTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RenderRun.cpp ${CMAKE_CURRENT_LIST_DIR}/JsonValue.cpp
    LIBS platform)
  target_compile_definitions(render_tests PRIVATE
    NIMBREL_RENDER_BINARY="$<TARGET_FILE:nimbrel-render>" NIMBREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(render_tests nimbrel-render)
endif()
