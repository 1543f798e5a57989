nimbrel_bench(bench_playback SOURCES ${CMAKE_CURRENT_LIST_DIR}/playback.cpp LIBS playback)
