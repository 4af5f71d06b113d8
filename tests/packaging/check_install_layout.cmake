# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build tree into OUT_DIR/usr and checks the result: exactly the
# expected files, every PNG icon of the pixel size its theme folder names, and
# the menu entry and the software-centre entry pointing at files that exist.
# Run as: cmake -DBUILD_DIR=<build> -DOUT_DIR=<scratch> -P check_install_layout.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/check_helpers.cmake)

set(root ${OUT_DIR}/usr)
file(REMOVE_RECURSE ${OUT_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${root}
                RESULT_VARIABLE rc OUTPUT_QUIET)
check_equal("${rc}" "0" "cmake --install")

# The whole installed tree, nothing more and nothing less.
set(expected_files
  bin/stimmung
  share/applications/stimmung.desktop
  share/doc/stimmung/copyright
  share/icons/hicolor/16x16/apps/stimmung.png
  share/icons/hicolor/256x256/apps/stimmung.png
  share/icons/hicolor/32x32/apps/stimmung.png
  share/icons/hicolor/48x48/apps/stimmung.png
  share/icons/hicolor/scalable/apps/stimmung.svg
  share/metainfo/io.github.stimmung.stimmung.metainfo.xml)
file(GLOB_RECURSE installed RELATIVE ${root} ${root}/*)
list(SORT installed)
list(SORT expected_files)
check_equal("${installed}" "${expected_files}" "installed files")

# Each PNG: signature, and width and height (IHDR) equal to its folder's size.
foreach(size 16 32 48 256)
  set(png ${root}/share/icons/hicolor/${size}x${size}/apps/stimmung.png)
  png_size(${png} width height signature)
  check_equal("${signature}" "89504e470d0a1a0a" "PNG signature of ${png}")
  check_equal("${width}x${height}" "${size}x${size}" "pixel size of ${png}")
endforeach()

# The scalable icon is a square SVG.
file(READ ${root}/share/icons/hicolor/scalable/apps/stimmung.svg svg)
if(NOT svg MATCHES "<svg[^>]*viewBox=\"0 0 ([0-9]+) ([0-9]+)\"" OR NOT CMAKE_MATCH_1 EQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "the SVG icon has no square viewBox")
endif()

# Menu entry: starts the installed program by name, without arguments, with
# the icon that the theme holds.
desktop_value(${root}/share/applications/stimmung.desktop Exec exec)
desktop_value(${root}/share/applications/stimmung.desktop TryExec tryexec)
desktop_value(${root}/share/applications/stimmung.desktop Icon icon)
if(exec STREQUAL "" OR exec MATCHES "[% ]")
  message(FATAL_ERROR "Exec=${exec}: the program is started by name alone, it takes no arguments")
endif()
check_exists(${root}/bin/${exec} "Exec=${exec}")
check_equal("${tryexec}" "${exec}" "TryExec")
foreach(size 16x16 32x32 48x48 256x256)
  check_exists(${root}/share/icons/hicolor/${size}/apps/${icon}.png "Icon=${icon} at ${size}")
endforeach()
check_exists(${root}/share/icons/hicolor/scalable/apps/${icon}.svg "Icon=${icon} as SVG")

# Software-centre entry: its id is its file name, its launchable is the menu
# entry, its binary is the installed program.
set(metainfo ${root}/share/metainfo/io.github.stimmung.stimmung.metainfo.xml)
xml_text(${metainfo} "<id>" "</id>" id)
xml_text(${metainfo} "<launchable type=\"desktop-id\">" "</launchable>" launchable)
xml_text(${metainfo} "<binary>" "</binary>" binary)
check_equal("${id}.metainfo.xml" "io.github.stimmung.stimmung.metainfo.xml" "metainfo id against its file name")
check_exists(${root}/share/applications/${launchable} "metainfo launchable")
check_equal("${binary}" "${exec}" "metainfo binary against Exec")

message(STATUS "install layout ok: ${root}")
