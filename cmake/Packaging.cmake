# Installing the program the way a desktop expects it, and the .deb and .rpm
# packages made from the same rules (cpack in the build folder, or
# tools/package.sh).
#
#   bin/putevod                                   the program
#   share/applications/<id>.desktop               the desktop menu entry
#   share/metainfo/<id>.metainfo.xml              AppStream metadata
#   share/icons/hicolor/<n>x<n>/apps/<id>.png     the icon, 16 to 256
#   share/man/man1/putevod.1.gz                   the manual page
#   share/doc/putevodka/{copyright,changelog.gz}  licence and changes
#
# <id> is the application id below; the program gives it to the window system
# as its desktop file name, so that docks and task bars find the icon.

include(GNUInstallDirs)

set(PUTEVOD_APP_ID ru.putevodka.Putevodka)
set(PUTEVOD_PACKAGE putevodka)
set(PUTEVOD_BINARY putevod)
set(PUTEVOD_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(PUTEVOD_MAINTAINER "Putevodka developers <dev@putevodka.ru>")
# Under X11 the windows' class is the application name (the application
# title); the desktop entry names it, so that task bars match the windows to
# the entry there. Wayland uses the desktop file name itself.
set(PUTEVOD_WM_CLASS PUTEVOD_FREE)
set(PUTEVOD_ICON_SIZES 16 22 24 32 48 64 128 256)

target_compile_definitions(putevod PRIVATE PUTEVOD_APP_ID="${PUTEVOD_APP_ID}")
# No console window under Windows.
set_target_properties(putevod PROPERTIES WIN32_EXECUTABLE ON)
# A read-only global offset table, as distributions build their programs.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_link_options(putevod PRIVATE "LINKER:-z,relro" "LINKER:-z,now")
endif()

# The files installed beside the program, filled in from the templates in
# resources/desktop. The compressed ones are made here by CMake itself, so
# the build needs no shell tools.
set(dist ${CMAKE_CURRENT_BINARY_DIR}/dist)
set(desktop_src ${CMAKE_CURRENT_SOURCE_DIR}/resources/desktop)
configure_file(${desktop_src}/putevodka.desktop.in ${dist}/${PUTEVOD_APP_ID}.desktop @ONLY)
configure_file(${desktop_src}/putevodka.metainfo.xml.in ${dist}/${PUTEVOD_APP_ID}.metainfo.xml @ONLY)
configure_file(${desktop_src}/putevod.1.in ${dist}/gz/putevod.1 @ONLY)
configure_file(${desktop_src}/changelog.in ${dist}/gz/changelog @ONLY)

# The licence in Debian's machine-readable copyright format: LICENSE, each
# line indented by one space, empty lines as " .".
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE license_text)
string(REGEX REPLACE "\n+$" "" license_text "${license_text}")
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text "${license_text}")
file(WRITE ${dist}/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: ${PUTEVOD_PACKAGE}\n"
  "Source: ${PUTEVOD_HOMEPAGE}\n\n"
  "Files: *\n"
  "Copyright: 2026 The Putevodka developers\n"
  "License: MIT\n"
  " ${license_text}\n")

# Compressed without a time stamp (gzip -n), so that packages built from the
# same sources are the same; where there is no gzip (not a Unix system),
# CMake compresses them itself.
find_program(GZIP_EXECUTABLE gzip)
foreach(name putevod.1 changelog)
  if(GZIP_EXECUTABLE)
    execute_process(COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${dist}/gz/${name}
                    OUTPUT_FILE ${dist}/${name}.gz RESULT_VARIABLE gzip_status)
    if(NOT gzip_status EQUAL 0)
      message(FATAL_ERROR "gzip ${name}: ${gzip_status}")
    endif()
  else()
    file(ARCHIVE_CREATE OUTPUT ${dist}/${name}.gz PATHS ${dist}/gz/${name}
         FORMAT raw COMPRESSION GZip)
  endif()
endforeach()

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/${PUTEVOD_PACKAGE})

install(TARGETS putevod RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${dist}/${PUTEVOD_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${PUTEVOD_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${PUTEVOD_ICON_SIZES})
  install(FILES resources/images/appicon${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${PUTEVOD_APP_ID}.png)
endforeach()
install(FILES ${dist}/putevod.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${dist}/copyright ${dist}/changelog.gz DESTINATION ${docdir})

# `cpack` installs what is already built: tools/package.sh builds the program
# first, so that making the packages does not build every test.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB RPM)
set(CPACK_PACKAGE_NAME ${PUTEVOD_PACKAGE})
set(CPACK_PACKAGE_VENDOR "The Putevodka developers")
set(CPACK_PACKAGE_CONTACT ${PUTEVOD_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${PUTEVOD_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "school environment for algorithms on a square field")
set(CPACK_PACKAGE_DESCRIPTION
"Putevodka (Путеводка) is a teaching program for school pupils. A pupil
composes an algorithm for an on-screen executor and runs it on a square
field of 12 x 12 to 15 x 15 cells, at one of three speeds, with the
executing line highlighted. The executor obeys three commands: a step
that draws a trace, a jump and a quarter turn; they combine with a
branch and a loop on the condition of a wall ahead, named procedures and
comments. The listing is edited only by inserting and deleting whole
commands and structures, so it is always well formed.

The user interface is in Russian. Algorithms are saved as plain text
files in the Windows-1251 encoding.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# Two .debs, named for the oldest system each is for, so that they are not
# taken for one another: the Qt 6 build of Debian 12 (for Debian 12 and
# newer) and the Qt 5 build made in a Debian 11 root (tools/package.sh
# --debian11: for Debian 11 and the systems of its age). The Qt 5 build's
# version sorts before the Qt 6 build's, so that the second replaces the
# first as an upgrade.
if(PUTEVOD_QT_MAJOR EQUAL 5)
  set(deb_system_default debian11)
  set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}~deb11")
else()
  set(deb_system_default debian12)
endif()
set(PUTEVOD_DEB_SYSTEM ${deb_system_default} CACHE STRING
    "The system named in the .deb's file name")
find_program(DPKG_EXECUTABLE dpkg)
if(DPKG_EXECUTABLE)
  execute_process(COMMAND ${DPKG_EXECUTABLE} --print-architecture
                  OUTPUT_VARIABLE deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(CPACK_DEBIAN_FILE_NAME
      "${PUTEVOD_PACKAGE}_${PROJECT_VERSION}_${PUTEVOD_DEB_SYSTEM}_${deb_arch}.deb")
else()
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for these fonts; without them others stand in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation2)

set(CPACK_RPM_FILE_NAME RPM-DEFAULT)
set(CPACK_RPM_PACKAGE_RELEASE 1)
set(CPACK_RPM_PACKAGE_LICENSE MIT)
set(CPACK_RPM_PACKAGE_GROUP Applications/Education)
set(CPACK_RPM_PACKAGE_SUMMARY "School environment for algorithms on a square field")
set(CPACK_RPM_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
# The desktop entry starts the program from the PATH: it stays in /usr.
set(CPACK_PACKAGE_RELOCATABLE OFF)
# Directories that belong to the distribution's own packages.
set(CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
    /usr/share/applications /usr/share/metainfo /usr/share/man /usr/share/man/man1
    /usr/share/icons /usr/share/icons/hicolor)
foreach(size ${PUTEVOD_ICON_SIZES})
  list(APPEND CPACK_RPM_EXCLUDE_FROM_AUTO_FILELIST_ADDITION
       /usr/share/icons/hicolor/${size}x${size} /usr/share/icons/hicolor/${size}x${size}/apps)
endforeach()

include(CPack)
