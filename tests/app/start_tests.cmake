# The programs' command lines, run as a user runs them, without a display.
if(TARGET nimbrel AND TARGET nimbrel-render)
  add_test(NAME StartOptions.AnswerWithoutDisplay
    COMMAND "${CMAKE_CURRENT_LIST_DIR}/start_options.sh" "$<TARGET_FILE:nimbrel>"
            "$<TARGET_FILE:nimbrel-render>" "${PROJECT_VERSION}")
endif()

nimbrel_test(app_icon_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WindowIconTest.cpp ${CMAKE_CURRENT_LIST_DIR}/QtTestMain.cpp
  LIBS app)
