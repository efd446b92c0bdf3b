# `make package` (the `package` target) builds a Debian package of the installed files.
include(GNUInstallDirs)

# Debian requires the copyright notice and a compressed changelog in every package.
set(changelog ${CMAKE_BINARY_DIR}/debian/changelog.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/data/debian/changelog > ${changelog}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/debian/changelog VERBATIM)
add_custom_target(scriblo_changelog ALL DEPENDS ${changelog})
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/copyright ${changelog}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/scriblo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scriblo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Staged through DESTDIR, so the install rules see the prefix /usr itself, as they do for
# `make install PREFIX=/usr`, and both install the same files.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX ${CPACK_PACKAGING_INSTALL_PREFIX})
set(CPACK_PACKAGE_CONTACT "The Scriblo developers <developers@scriblo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${SCRIBLO_SUMMARY})
set(CPACK_PACKAGE_DESCRIPTION "Scriblo sits in the system tray. Tap the touchpad with four fingers, or\n\
press the secondary mouse button twice, draw one to three strokes, and\n\
Scriblo starts the application, opens the bookmarked page or runs the\n\
script bound to the gesture that matches best.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Icon themes draw program icons from SVG files through Qt's SVG plug-in; Qt's own
# translations put its standard dialog buttons and text field menus in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/data/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
include(CPack)
