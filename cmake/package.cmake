# `cpack -G DEB`: a Debian package of what cmake/install.cmake installs, into /usr.
# Library dependencies are read from the binary by dpkg-shlibdeps; what the program loads by
# name at run time (fonts, Qt's Russian texts) is named here. No maintainer scripts: the
# triggers of shared-mime-info, desktop-file-utils and the icon theme refresh their caches when
# the package's files arrive.
set(CPACK_PACKAGE_NAME tarvosk)
set(CPACK_PACKAGE_VENDOR "Tarvosk developers")
set(CPACK_PACKAGE_CONTACT "Tarvosk developers <developers@tarvosk.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the plan of a bell tower's ringing tier")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvosk lays out the ringing tier of a bell tower in plan, drawn to scale in
millimetres: the walls with four, six or eight sides and an arch opening in
each, the pedestal the ringer stands on, beams along 24 compass chords or laid
freely, and bells from a catalogue of 42. Fixing the arrangement divides the
bells into three ringing groups and writes their weights on the plan.
.
Plans are saved as .tarvosk documents and exported as BMP, JPEG or PNG
pictures; file managers show them with a thumbnail of the plan. The interface
is in Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvosk.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
