nimbrel_test(platform_filesystem_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FileSystemTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClockTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FileWatchTest.cpp
  LIBS platform)
