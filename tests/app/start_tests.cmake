# The programs' command lines, run as a user runs them, without a display.
if(TARGET nimbrel AND TARGET nimbrel-render)
  add_test(NAME StartOptions.AnswerWithoutDisplay
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/start_options.sh" "$<TARGET_FILE:nimbrel>"
            "$<TARGET_FILE:nimbrel-render>" "${PROJECT_VERSION}")
endif()

nimbrel_test(app_icon_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowIconTest.cpp ${CMAKE_CURRENT_LIST_DIR}/QtTestMain.cpp
  LIBS app)

# One viewer per session, under a session bus and an X display of its own.
if(TARGET nimbrel)
  add_test(NAME SingleInstance.SessionBus
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/single_instance.sh" "$<TARGET_FILE:nimbrel>"
            "${CMAKE_SOURCE_DIR}/examples/sample/sample.txt")
  set_tests_properties(SingleInstance.SessionBus PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
endif()

# The viewer on Wayland, under weston's headless back end: frames at the interval.
if(TARGET nimbrel)
  add_test(NAME Wayland.FrameTiming
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/wayland_frames.sh" "$<TARGET_FILE:nimbrel>"
            "${CMAKE_SOURCE_DIR}/examples/sample/sample.txt")
  set_tests_properties(Wayland.FrameTiming PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60)
endif()

# From the editor: Neovim runs nimbrel-lsp's code lens ▶ 再生, and the running
# viewer plays the animation.
if(TARGET nimbrel AND TARGET nimbrel-lsp)
  add_test(NAME Editor.CodeLensPlaysInTheRunningViewer
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/editor_lens.sh" "$<TARGET_FILE:nimbrel>" "$<TARGET_FILE:nimbrel-lsp>"
            "${CMAKE_SOURCE_DIR}/examples/sample/sample.txt")
  set_tests_properties(Editor.CodeLensPlaysInTheRunningViewer PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120)
endif()
