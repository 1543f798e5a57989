nimbrel_test(display_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DirectDrawTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SurfaceTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlGuardTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Sheet32Test.cpp
  LIBS display)
