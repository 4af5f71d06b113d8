# SPDX-License-Identifier: GPL-3.0-or-later
# What installing Stimmung adds to the system: the program, its menu entry,
# its icon in the hicolor theme (16, 32, 48, 256 px and scalable), its
# software-centre entry and its licence. The Debian package (debian/) installs
# through these rules. The program itself still keeps no files.
include(GNUInstallDirs)

set(STIMMUNG_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(STIMMUNG_ICON_DIR ${CMAKE_CURRENT_SOURCE_DIR}/src/app/icons)
set(STIMMUNG_METAINFO io.github.stimmung.stimmung.metainfo.xml)

install(FILES ${STIMMUNG_PACKAGING_DIR}/stimmung.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${STIMMUNG_PACKAGING_DIR}/${STIMMUNG_METAINFO}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${STIMMUNG_ICON_SIZES})
  install(FILES ${STIMMUNG_ICON_DIR}/stimmung-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME stimmung.png)
endforeach()
install(FILES ${STIMMUNG_ICON_DIR}/stimmung.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The licence, GNU GPL version 3 or later, as a Debian package states it.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/stimmung)

if(STIMMUNG_TESTS)
  add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging ${CMAKE_BINARY_DIR}/tests/packaging)
endif()
