# SPDX-License-Identifier: GPL-3.0-or-later
# What installing Stimmung adds to the system: the program, its menu entry,
# its icon in the hicolor theme (16, 32, 48, 256 px and scalable), its
# software-centre entry; and the Debian package built from that by CPack.
# The program itself still keeps no files.
include(GNUInstallDirs)

set(STIMMUNG_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(STIMMUNG_ICON_DIR ${CMAKE_CURRENT_SOURCE_DIR}/src/app/icons)
set(STIMMUNG_ICON_SIZES 16 32 48 256)
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

# ---- Debian package ----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME stimmung)
set(CPACK_PACKAGE_VENDOR "Stimmung-Team")
# dpkg wants a maintainer; the project has no address to give, so the field
# names the team alone (as the copyright file does), and there is no homepage.
set(CPACK_PACKAGE_CONTACT "Stimmung-Team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching tool about the tuning of musical scales")
set(CPACK_PACKAGE_DESCRIPTION "\
Stimmung draws the notes of one octave as frequency ratios between 1 and 2 on
a ratio axis: the Pythagorean scale built from fifths, the just notes after
Didymos, and the equal division of the octave into 2 to 100 steps with the
errors of its third, fourth and fifth. Six notes can be placed by hand and
played on a small keyboard; scales and a melody written as text are played
as single tones. All texts of the program are German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)          # stimmung_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# Loaded at run time, so no linker entry names them: the window system's
# platform plugin, SDL2 (loaded when the sound device opens), and the
# Liberation fonts that fontconfig puts in place of Times New Roman and
# Courier New.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libsdl2-2.0-0 (>= 2.0.20), fonts-liberation")
# The linked libraries (Qt widgets, gui, core, SVG and printing, the C and C++ run-time)
# come from dpkg-shlibdeps with the versions the binary was built against;
# without it they are named here.
find_program(STIMMUNG_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(STIMMUNG_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(PREPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6printsupport6 (>= 6.4), ")
endif()
include(CPack)

if(STIMMUNG_TESTS)
  add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging ${CMAKE_BINARY_DIR}/tests/packaging)
endif()
