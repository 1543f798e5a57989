nimbrel_fuzz(fuzz_gif SOURCES ${CMAKE_CURRENT_LIST_DIR}/gif.cpp LIBS export)
nimbrel_fuzz(fuzz_png SOURCES ${CMAKE_CURRENT_LIST_DIR}/png.cpp LIBS export)
nimbrel_fuzz(fuzz_report SOURCES ${CMAKE_CURRENT_LIST_DIR}/report.cpp LIBS export)
nimbrel_fuzz(fuzz_sheetpath SOURCES ${CMAKE_CURRENT_LIST_DIR}/sheetpath.cpp LIBS character)
