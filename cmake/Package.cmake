# The Debian package: `cpack -G DEB` in a release build makes
# nimbrel_VERSION_ARCH.deb from the install rules. Its library dependencies
# are computed from the binaries by dpkg-shlibdeps, not kept by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nimbrel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Nimbrel developers")
set(CPACK_PACKAGE_CONTACT "The Nimbrel developers <nimbrel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the animations of 2D game characters")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's captions are Japanese: without a Japanese face they show as
# boxes. A font is no library, so dpkg-shlibdeps cannot find it.
# Qt's own texts (file dialogs, message-box buttons) are Japanese only with
# qtbase_ja.qm, which lives in the translations package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
# Qt's Wayland platform; without it the viewer runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The first line of the control file's description is the summary above;
# CPack indents these lines and marks the empty one as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Nimbrel plays the animations of a 2D game character: a character author
draws a sheet image, writes a plain text definition file that cuts numbered
patterns out of the sheet and lists the frames of each animation, and opens
that file in Nimbrel to watch the animations play, one button per
animation. The file and the sheet image can be reloaded by hand, and the
sheet image whenever it changes on disk.

The package also holds nimbrel-render, which runs the viewer without a
window and writes the frames as a PNG strip, for scripts and checks.")
include(CPack)
