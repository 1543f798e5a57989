# Each folder under src/ is a layer and its own static library, built from
# every .cpp file of the folder. A layer sees its own headers and those of the
# layers it links, and nothing else: every library gets an include folder of
# its own in the build tree that holds only a link to its source folder, so an
# include of a higher layer is a missing file, not a silent dependency.
function(nimbrel_layer name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;EXCLUDE" ${ARGN})
  set(inc "${CMAKE_BINARY_DIR}/layers/${name}")
  file(MAKE_DIRECTORY "${inc}")
  file(CREATE_LINK "${CMAKE_SOURCE_DIR}/src/${name}" "${inc}/${name}" SYMBOLIC)
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/src/${name}/*.cpp")
  foreach(x ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources "${CMAKE_SOURCE_DIR}/src/${name}/${x}")
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC "${inc}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()
