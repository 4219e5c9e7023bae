# The Windows program, cross-built by tools/windows.sh with MinGW-w64 against
# a static Qt 5.15: its icon and version resource, the Qt plugins linked into
# it and into the tests, and what goes beside putevod.exe:
#
#   putevod.exe          the program (windowed, no console)
#   LICENSE.txt          its licence (MIT)
#   licences/            Qt's licence (LGPL 3, with the GPL 3 it builds on)
#                        and the licences of the parts Qt bundles
#   REBUILD.txt          what it is built from and how to rebuild or relink it
#
# tools/windows.sh gives the licences' folder (PUTEVOD_QT_LICENCES), the Qt
# source version and its configuration; it makes the .zip and the installer
# (resources/windows/putevod.nsi) from `cmake --install`.

set(PUTEVOD_QT_LICENCES "" CACHE PATH "The licences of the cross Qt (made by tools/windows.sh)")
set(PUTEVOD_QT_SOURCE "" CACHE STRING "The Qt source the cross Qt is built from")
set(PUTEVOD_QT_CONFIG "" CACHE STRING "The cross Qt's configure options")

set(win ${CMAKE_CURRENT_BINARY_DIR}/windows)
set(win_src ${CMAKE_CURRENT_SOURCE_DIR}/resources/windows)

# The icon, from our own images: every size Windows shows it at.
find_program(PUTEVOD_CONVERT convert REQUIRED)
set(icon_pngs)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND icon_pngs ${CMAKE_CURRENT_SOURCE_DIR}/resources/images/appicon${size}.png)
endforeach()
set(PUTEVOD_ICO ${win}/putevod.ico)
add_custom_command(OUTPUT ${PUTEVOD_ICO}
  COMMAND ${PUTEVOD_CONVERT} ${icon_pngs} ${PUTEVOD_ICO}
  DEPENDS ${icon_pngs} VERBATIM)
configure_file(${win_src}/putevod.rc.in ${win}/putevod.rc @ONLY)
# A target of its own: the compiler's warning options are not the resource
# compiler's.
add_library(putevod_winres OBJECT ${win}/putevod.rc ${PUTEVOD_ICO})
set_source_files_properties(${win}/putevod.rc PROPERTIES OBJECT_DEPENDS ${PUTEVOD_ICO})
target_sources(putevod PRIVATE $<TARGET_OBJECTS:putevod_winres>)

# The toolkit's own dialogs in Russian: Windows has no Qt translations to
# load, so the program carries qtbase_ru.qm inside itself, from Debian's
# qttranslations5-l10n of the same Qt release.
set(PUTEVOD_TOOLKIT_QM /usr/share/qt5/translations/qtbase_ru.qm
  CACHE FILEPATH "The toolkit's Russian translation the Windows program carries")
if(NOT EXISTS ${PUTEVOD_TOOLKIT_QM})
  message(FATAL_ERROR "No ${PUTEVOD_TOOLKIT_QM} (apt-get install qttranslations5-l10n)")
endif()
file(WRITE ${win}/toolkit_ru.qrc
  "<RCC>\n  <qresource prefix=\"/toolkit\">\n"
  "    <file alias=\"qtbase_ru.qm\">${PUTEVOD_TOOLKIT_QM}</file>\n"
  "  </qresource>\n</RCC>\n")
target_sources(putevod_app PRIVATE ${win}/toolkit_ru.qrc)
target_compile_definitions(putevod_app PRIVATE PUTEVOD_CARRIED_TOOLKIT_TRANSLATION)

# The released program carries no symbols.
target_link_options(putevod PRIVATE $<$<CONFIG:Release>:-s>)

# A static Qt links its plugins into the program: the Windows platform and
# the style of the system's own controls; no image format beyond the PNG
# that Qt reads itself.
get_target_property(qt_core_type Qt5::Core TYPE)
set(PUTEVOD_STATIC_QT OFF)
if(qt_core_type STREQUAL "STATIC_LIBRARY")
  set(PUTEVOD_STATIC_QT ON)
  qt5_import_plugins(putevod
    INCLUDE_BY_TYPE platforms Qt5::QWindowsIntegrationPlugin
    INCLUDE_BY_TYPE styles Qt5::QWindowsVistaStylePlugin
    EXCLUDE_BY_TYPE imageformats
    EXCLUDE_BY_TYPE iconengines
    EXCLUDE_BY_TYPE platforminputcontexts
    EXCLUDE_BY_TYPE generic)
endif()

# The tests run as .exe files under Wine, on Qt's offscreen platform; the
# end-to-end ones need the Windows platform. Called once every test exists
# (a deferred call: CMake 3.19 or newer, as Debian 12 has).
function(putevod_windows_tests)
  get_property(dirs DIRECTORY ${CMAKE_SOURCE_DIR}/tests PROPERTY SUBDIRECTORIES)
  foreach(dir ${CMAKE_SOURCE_DIR}/tests ${dirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE" AND PUTEVOD_STATIC_QT)
        qt5_import_plugins(${target}
          INCLUDE_BY_TYPE platforms Qt5::QOffscreenIntegrationPlugin Qt5::QWindowsIntegrationPlugin
          EXCLUDE_BY_TYPE styles
          EXCLUDE_BY_TYPE imageformats
          EXCLUDE_BY_TYPE iconengines
          EXCLUDE_BY_TYPE platforminputcontexts
          EXCLUDE_BY_TYPE generic)
      endif()
    endforeach()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL putevod_windows_tests)

# What goes beside the program. Windows' own editor wants CR LF lines.
function(putevod_crlf from to)
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${text}")
endfunction()
putevod_crlf(${CMAKE_CURRENT_SOURCE_DIR}/LICENSE ${win}/LICENSE.txt)
configure_file(${win_src}/REBUILD.txt.in ${win}/REBUILD.lf.txt @ONLY)
putevod_crlf(${win}/REBUILD.lf.txt ${win}/REBUILD.txt)

install(TARGETS putevod RUNTIME DESTINATION .)
install(FILES ${win}/LICENSE.txt ${win}/REBUILD.txt ${PUTEVOD_ICO} DESTINATION .)
if(PUTEVOD_QT_LICENCES)
  install(DIRECTORY ${PUTEVOD_QT_LICENCES}/ DESTINATION licences)
endif()
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)
