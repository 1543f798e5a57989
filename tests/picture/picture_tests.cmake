nimbrel_test(picture_bmp_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BitmapReadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BitmapRejectTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CanvasTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PictureTest.cpp
  LIBS picture)
