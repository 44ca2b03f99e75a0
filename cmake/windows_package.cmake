# What the Windows downloads hold: the program at the top of the folder.
install(TARGETS tarvosk RUNTIME DESTINATION .)

# The two downloads, built on the Linux host:
#   windows_zip        tarvosk-VERSION-win64.zip, a folder tarvosk-VERSION/ to run from anywhere
#   windows_installer  tarvosk-VERSION-setup.exe, the per-machine installation (NSIS)
#   windows_packages   both
set(TARVOSK_WINDOWS_README ${CMAKE_SOURCE_DIR}/packaging/windows/README-ru.txt)
set(TARVOSK_WINDOWS_ICON ${CMAKE_SOURCE_DIR}/packaging/windows/tarvosk.ico)
set(TARVOSK_WINDOWS_NSI ${CMAKE_SOURCE_DIR}/packaging/windows/tarvosk.nsi)
set(TARVOSK_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/tarvosk-${PROJECT_VERSION}-win64.zip)
set(TARVOSK_WINDOWS_SETUP ${CMAKE_BINARY_DIR}/tarvosk-${PROJECT_VERSION}-setup.exe)

# The same program and read-me give the same zip, byte for byte: every entry has this time
# (UTC, so that the host's time zone does not enter the DOS time stamps), fixed modes, a fixed
# order and no extra fields. SOURCE_DATE_EPOCH, when the build sets it, wins.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(_tarvosk_zip_time_default "$ENV{SOURCE_DATE_EPOCH}")
else()
  set(_tarvosk_zip_time_default 1735689600)  # 2025-01-01 00:00 UTC
endif()
set(TARVOSK_ZIP_TIME "${_tarvosk_zip_time_default}" CACHE STRING
    "Time stamp of the entries of the Windows zip, seconds since 1970 (UTC)")
if(NOT TARVOSK_ZIP_TIME MATCHES "^[0-9]+$" OR TARVOSK_ZIP_TIME LESS 315532800)
  message(FATAL_ERROR "TARVOSK_ZIP_TIME must be seconds since 1970, 1980 or later (a zip stores "
                      "no earlier time), not '${TARVOSK_ZIP_TIME}'")
endif()

find_program(TARVOSK_ZIP zip)
find_program(TARVOSK_TOUCH touch)
find_program(TARVOSK_CHMOD chmod)
find_program(TARVOSK_MAKENSIS makensis)

# A target that fails, saying what the build host lacks to make it.
function(tarvosk_unbuildable_target name needs)
  add_custom_target(${name}
    COMMAND ${CMAKE_COMMAND} -E echo "${name} needs ${needs}"
    COMMAND ${CMAKE_COMMAND} -E false
    VERBATIM)
endfunction()

if(TARVOSK_ZIP AND TARVOSK_TOUCH AND TARVOSK_CHMOD)
  set(_root tarvosk-${PROJECT_VERSION})
  set(_stage ${CMAKE_BINARY_DIR}/windows-zip)
  file(MAKE_DIRECTORY ${_stage})  # the commands run in it
  add_custom_command(OUTPUT ${TARVOSK_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage}/${_root} ${TARVOSK_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}/${_root}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tarvosk> ${_stage}/${_root}/tarvosk.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${TARVOSK_WINDOWS_README} ${_stage}/${_root}/README-ru.txt
    COMMAND ${TARVOSK_CHMOD} 0755 ${_root} ${_root}/tarvosk.exe
    COMMAND ${TARVOSK_CHMOD} 0644 ${_root}/README-ru.txt
    COMMAND ${TARVOSK_TOUCH} -d @${TARVOSK_ZIP_TIME} ${_root}/tarvosk.exe ${_root}/README-ru.txt ${_root}
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
            ${TARVOSK_ZIP} -X -9 -q ${TARVOSK_WINDOWS_ZIP} ${_root}/ ${_root}/README-ru.txt ${_root}/tarvosk.exe
    WORKING_DIRECTORY ${_stage}
    DEPENDS tarvosk ${TARVOSK_WINDOWS_README}
    COMMENT "Packing ${TARVOSK_WINDOWS_ZIP}"
    VERBATIM)
  add_custom_target(windows_zip DEPENDS ${TARVOSK_WINDOWS_ZIP})
else()
  tarvosk_unbuildable_target(windows_zip "zip, touch and chmod on the build host (apt-get install zip)")
endif()

if(TARVOSK_MAKENSIS)
  add_custom_command(OUTPUT ${TARVOSK_WINDOWS_SETUP}
    COMMAND ${TARVOSK_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
            -DTARVOSK_VERSION=${PROJECT_VERSION}
            -DTARVOSK_EXE=$<TARGET_FILE:tarvosk>
            -DTARVOSK_ICON=${TARVOSK_WINDOWS_ICON}
            -DTARVOSK_README=${TARVOSK_WINDOWS_README}
            -DTARVOSK_OUTFILE=${TARVOSK_WINDOWS_SETUP}
            ${TARVOSK_WINDOWS_NSI}
    DEPENDS tarvosk ${TARVOSK_WINDOWS_NSI} ${TARVOSK_WINDOWS_README} ${TARVOSK_WINDOWS_ICON}
    COMMENT "Making ${TARVOSK_WINDOWS_SETUP}"
    VERBATIM)
  add_custom_target(windows_installer DEPENDS ${TARVOSK_WINDOWS_SETUP})
else()
  tarvosk_unbuildable_target(windows_installer "makensis on the build host (apt-get install nsis)")
endif()

add_custom_target(windows_packages)
add_dependencies(windows_packages windows_zip windows_installer)
