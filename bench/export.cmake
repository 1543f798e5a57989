nimbrel_bench(bench_export SOURCES ${CMAKE_CURRENT_LIST_DIR}/export.cpp LIBS export)
target_compile_definitions(bench_export PRIVATE NIMBREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(TARGET nimbrel-render)
  target_compile_definitions(bench_export PRIVATE NIMBREL_RENDER_BINARY="$<TARGET_FILE:nimbrel-render>")
  add_dependencies(bench_export nimbrel-render)
endif()
# The tests' null player host.
target_include_directories(bench_export PRIVATE "${CMAKE_SOURCE_DIR}/tests")
