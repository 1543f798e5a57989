nimbrel_test(playback_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CompositionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LiveReloadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PauseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/RemoteCommandsTest.cpp
  LIBS playback)
