# An install of this build into a scratch DESTDIR, checked as a desktop sees it.
if(TARGET nimbrel AND TARGET nimbrel-render)
  add_test(NAME Install.DestdirTree COMMAND "${CMAKE_SOURCE_DIR}/scripts/check-install.sh" "${CMAKE_BINARY_DIR}")
endif()
