# What `cmake --install` puts into a prefix: the program, its desktop entry, document type,
# icons, AppStream metainfo, thumbnailer and manual page, in the places freedesktop and Debian
# expect below <prefix>/share.
include(GNUInstallDirs)

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(_packaging ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS tarvosk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_packaging}/org.tarvosk.Tarvosk.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/tarvosk.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${_packaging}/org.tarvosk.Tarvosk.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_packaging}/tarvosk.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(DIRECTORY ${_packaging}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual pages and changelogs are installed compressed, without a time stamp in the gzip header
# so that a package built twice is the same.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(_man ${CMAKE_BINARY_DIR}/packaging/tarvosk.1.gz)
set(_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${_man}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND ${GZIP_PROGRAM} -9nc ${_packaging}/tarvosk.1 > ${_man}
  DEPENDS ${_packaging}/tarvosk.1 VERBATIM)
add_custom_command(OUTPUT ${_changelog}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND ${GZIP_PROGRAM} -9nc ${_packaging}/debian/changelog > ${_changelog}
  DEPENDS ${_packaging}/debian/changelog VERBATIM)
add_custom_target(tarvosk_compressed_docs ALL DEPENDS ${_man} ${_changelog})
install(FILES ${_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_packaging}/debian/copyright ${_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
