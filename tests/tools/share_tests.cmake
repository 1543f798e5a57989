# What the driver writes to share a character: animated GIFs read back by
# Qt's own GIF reader, and the HTML report opened in a real browser.
if(TARGET nimbrel-render)
  find_package(Qt6 REQUIRED COMPONENTS Gui)
  nimbrel_test(share_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/RenderGifTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ReportBrowserTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/RenderRun.cpp ${CMAKE_CURRENT_LIST_DIR}/JsonValue.cpp
    LIBS platform Qt6::Gui)
  target_compile_definitions(share_tests PRIVATE
    NIMBREL_RENDER_BINARY="$<TARGET_FILE:nimbrel-render>" NIMBREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(share_tests nimbrel-render)
endif()
