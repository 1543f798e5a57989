# Install rules: the programs, the desktop entry with its icon and AppStream
# metainfo, the man pages, the documentation and the sample character.
# Programs that are not built (no Qt, a tool still to come) are left out.
include(GNUInstallDirs)
# The documentation folder is named after the package, as Debian wants it,
# not after project() as GNUInstallDirs' DOCDIR is.
set(docdir "${CMAKE_INSTALL_DATAROOTDIR}/doc/nimbrel")
set(nimbrel_id io.github.nimbrel.Nimbrel)
set(data "${CMAKE_SOURCE_DIR}/data")
set(out "${CMAKE_BINARY_DIR}/data")

# The newest entry of the changelog is the release of this version; its date
# goes into the metainfo and the man pages, so that no second copy can lag.
file(STRINGS "${CMAKE_SOURCE_DIR}/packaging/changelog" changelog_lines)
list(GET changelog_lines 0 changelog_head)
if(NOT changelog_head MATCHES "^nimbrel \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION} at its top")
endif()
foreach(line ${changelog_lines})
  if(line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(FIND months "${CMAKE_MATCH_2}" month)
    math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
    string(LENGTH "${month}" digits)
    if(digits EQUAL 1)
      set(month "0${month}")
    endif()
    set(NIMBREL_RELEASE_DATE "${CMAKE_MATCH_3}-${month}-${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()

set(programs)
foreach(program nimbrel nimbrel-render nimbrel-check nimbrel-slice nimbrel-lsp)
  if(TARGET ${program})
    list(APPEND programs ${program})
  endif()
endforeach()
install(TARGETS ${programs} RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")

set(NIMBREL_PROVIDED_BINARIES "")
foreach(program ${programs})
  string(APPEND NIMBREL_PROVIDED_BINARIES "    <binary>${program}</binary>\n")
endforeach()
configure_file("${data}/${nimbrel_id}.metainfo.xml.in" "${out}/${nimbrel_id}.metainfo.xml" @ONLY)

# Man pages and the changelog are installed compressed, without a time stamp
# in the gzip header, as Debian wants them.
set(compressed)
function(nimbrel_gzip source target)
  add_custom_command(OUTPUT "${target}" COMMAND gzip -9nc "${source}" > "${target}"
    DEPENDS "${source}" VERBATIM)
  set(compressed ${compressed} "${target}" PARENT_SCOPE)
endfunction()
foreach(program ${programs})
  configure_file("${data}/man/${program}.1.in" "${out}/man/${program}.1" @ONLY)
  nimbrel_gzip("${out}/man/${program}.1" "${out}/man/${program}.1.gz")
  install(FILES "${out}/man/${program}.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endforeach()
nimbrel_gzip("${CMAKE_SOURCE_DIR}/packaging/changelog" "${out}/changelog.gz")
add_custom_target(nimbrel-data ALL DEPENDS ${compressed})

install(FILES "${data}/${nimbrel_id}.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${out}/${nimbrel_id}.metainfo.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
foreach(size 16 32 48 64 128 256)
  install(FILES "${data}/icons/${size}/${nimbrel_id}.png"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
endforeach()
install(FILES "${data}/icons/${nimbrel_id}.svg" DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")

install(FILES README.md LICENSE "${CMAKE_SOURCE_DIR}/packaging/copyright" "${out}/changelog.gz"
  DESTINATION "${docdir}")
install(DIRECTORY examples/sample DESTINATION "${CMAKE_INSTALL_DATADIR}/nimbrel/examples")
