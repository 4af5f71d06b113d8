# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package into OUT_DIR as `make package` does (debhelper on
# a clean copy of the sources, then lintian, which fails on an error) and
# checks it: one stimmung_<version>_<arch>.deb of the project's version, the
# run-time dependencies declared, the installed files under /usr and nowhere else.
# Run as: cmake -DSOURCE_DIR=<repo> -DOUT_DIR=<scratch> -DVERSION=<x.y.z> -P check_debian_package.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/check_helpers.cmake)

foreach(tool git dpkg-buildpackage dh dpkg-deb lintian)
  find_program(tool_path_${tool} ${tool})
  if(NOT tool_path_${tool})
    message(STATUS "${tool} is not installed: no Debian package to check")
    cmake_language(EXIT 77)
  endif()
endforeach()
set(DPKG_DEB ${tool_path_dpkg-deb})

file(REMOVE_RECURSE ${OUT_DIR})
execute_process(COMMAND bash ${SOURCE_DIR}/packaging/build-deb.sh ${OUT_DIR}
                RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
check_equal("${rc}" "0" "packaging/build-deb.sh (${log})")
message(STATUS "${log}")

file(GLOB debs RELATIVE ${OUT_DIR} ${OUT_DIR}/*.deb)
list(LENGTH debs count)
check_equal("${count}" "1" "number of packages built (${debs})")
string(REPLACE "." "\\." version_pattern "${VERSION}")
if(NOT debs MATCHES "^stimmung_${version_pattern}_[a-z0-9]+\\.deb$")
  message(FATAL_ERROR "package file name ${debs} is not stimmung_${VERSION}_<arch>.deb")
endif()
set(deb ${OUT_DIR}/${debs})

function(control_field field out)
  execute_process(COMMAND ${DPKG_DEB} --field ${deb} ${field} OUTPUT_VARIABLE value
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

control_field(Package package)
check_equal("${package}" "stimmung" "Package")

# Every run-time dependency by its Debian 12 name, as a whole entry of Depends.
control_field(Depends depends)
foreach(needed libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libsdl2-2.0-0 fonts-liberation libc6)
  if(NOT depends MATCHES "(^|, )${needed}( \\(|,|$)")
    message(FATAL_ERROR "Depends lacks ${needed}: ${depends}")
  endif()
endforeach()

# The files it puts on the system.
execute_process(COMMAND ${DPKG_DEB} --contents ${deb} OUTPUT_VARIABLE listing)
string(REGEX MATCHALL "\\./[^\n]*[^/\n]\n" entries "${listing}")
set(files "")
foreach(entry ${entries})
  string(STRIP "${entry}" entry)
  string(REGEX REPLACE "^\\./" "/" entry "${entry}")
  list(APPEND files ${entry})
endforeach()
list(SORT files)
set(expected_files
  /usr/bin/stimmung
  /usr/share/applications/stimmung.desktop
  /usr/share/doc/stimmung/changelog.gz
  /usr/share/doc/stimmung/copyright
  /usr/share/icons/hicolor/16x16/apps/stimmung.png
  /usr/share/icons/hicolor/256x256/apps/stimmung.png
  /usr/share/icons/hicolor/32x32/apps/stimmung.png
  /usr/share/icons/hicolor/48x48/apps/stimmung.png
  /usr/share/icons/hicolor/scalable/apps/stimmung.svg
  /usr/share/metainfo/io.github.stimmung.stimmung.metainfo.xml)
list(SORT expected_files)
check_equal("${files}" "${expected_files}" "files of the package")

# The program is installed executable.
if(NOT listing MATCHES "-rwxr-xr-x [^\n]* \\./usr/bin/stimmung\n")
  message(FATAL_ERROR "/usr/bin/stimmung is not installed as an executable (rwxr-xr-x):\n${listing}")
endif()

message(STATUS "Debian package ok: ${debs}\n  Depends: ${depends}")
