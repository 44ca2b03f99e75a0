# The Windows build: one statically linked tarvosk.exe that needs only Windows' own DLLs.
# Included by the top-level CMakeLists.txt before any target when building for Windows.

# Neither libstdc++, libgcc nor libwinpthread beside the program; tests link the same way so
# that they run under Wine from any folder.
add_link_options(-static)
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_link_options(-s)
endif()
# Windows headers: no min/max macros, the wide API.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN UNICODE _UNICODE)

# Qt's own texts in Russian: there is no Debian translations folder on Windows, so the
# translation is built into the program (from Debian's qt6-translations-l10n on the build host).
set(TARVOSK_QT_TRANSLATION /usr/share/qt6/translations/qtbase_ru.qm)
if(NOT EXISTS ${TARVOSK_QT_TRANSLATION})
  message(FATAL_ERROR "${TARVOSK_QT_TRANSLATION} is missing: install qt6-translations-l10n")
endif()

# What a static Qt links only when asked: the platforms (windows for the window, minimal with
# the system's fonts for runs without one, offscreen for tests that ask for it) and the native
# style. No image plugin: Qt reads PNG and BMP itself, and its JPEG plugin carries a libjpeg of
# another version under the same names as the one the export links (platform/jpeg_reader.h).
function(tarvosk_windows_plugins target)
  qt_import_plugins(${target}
    INCLUDE_BY_TYPE platforms Qt6::QWindowsIntegrationPlugin Qt6::QMinimalIntegrationPlugin
                              Qt6::QOffscreenIntegrationPlugin
    INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin
    EXCLUDE_BY_TYPE imageformats)
endfunction()
