# The references and the timer of the process-level measurements
# (bench/startup.sh, bench/sheet-load.sh, bench/check-process.sh).
add_executable(bench-first-frame ${CMAKE_CURRENT_LIST_DIR}/first-frame.cpp)
add_executable(bench-stb-decode ${CMAKE_CURRENT_LIST_DIR}/stb-decode.cpp)
# stb_image is written for C and does not keep to our warnings.
target_compile_options(bench-stb-decode PRIVATE -w)
if(NIMBREL_QT AND NOT NIMBREL_FUZZ)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  # The window's face comes from the viewer's own source, with nothing else
  # of the viewer linked in.
  add_executable(bench-bare-window ${CMAKE_CURRENT_LIST_DIR}/bare-window.cpp
    ${PROJECT_SOURCE_DIR}/src/app/WindowLook.cpp)
  target_include_directories(bench-bare-window PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(bench-bare-window PRIVATE Qt6::Widgets form)
endif()
add_executable(bench-write-definition ${CMAKE_CURRENT_LIST_DIR}/write-definition.cpp)
target_link_libraries(bench-write-definition PRIVATE character)
