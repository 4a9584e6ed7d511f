# The packages a user installs, made by CPack (scripts/package makes both):
# - on Linux a Debian package with both programs, the desktop entry and the
#   icon; its dependencies are read from the programs by dpkg-shlibdeps, so
#   they follow whatever libraries the build links;
# - on Windows a ZIP with the programs at the top of one folder, beside the
#   README and the licence as Windows text (CR LF). The programs keep their
#   settings in their own folder when they may write there, so a flat folder
#   is all a user unpacks and runs.
# Included before any install() rule: the install folders set here decide
# where every program's own install() rule puts it.

if(WIN32)
  set(CMAKE_INSTALL_BINDIR .)
endif()
include(GNUInstallDirs)

set(KORVANTA_PACKAGE_CONTACT "Korvanta maintainers" CACHE STRING
    "The Maintainer field of the Debian package")

# The licence text, when the project has one.
set(KORVANTA_LICENSE_FILE "")
foreach(candidate LICENSE LICENSE.txt LICENSE.md COPYING)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${candidate})
    set(KORVANTA_LICENSE_FILE ${CMAKE_SOURCE_DIR}/${candidate})
    break()
  endif()
endforeach()
# The licence's SPDX name, for the package metadata.
set(KORVANTA_LICENSE_SPDX MIT)
if(NOT KORVANTA_LICENSE_FILE)
  message(STATUS "No licence file (LICENSE) in the source tree: the packages go without one")
endif()

# Copies a text file with CR LF line ends, as Notepad and every Windows user
# expect; rewritten only when its text changed. file(READ) drops the CR of a
# CR LF, so a source with either line end gives the same copy.
function(korvanta_windows_text source target)
  file(READ ${source} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${target}.new "${text}")
  file(COPY_FILE ${target}.new ${target} ONLY_IF_DIFFERENT)
  file(REMOVE ${target}.new)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()

if(WIN32)
  korvanta_windows_text(${CMAKE_SOURCE_DIR}/README.md ${CMAKE_BINARY_DIR}/package/README.txt)
  install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)
  if(KORVANTA_LICENSE_FILE)
    korvanta_windows_text(${KORVANTA_LICENSE_FILE} ${CMAKE_BINARY_DIR}/package/LICENSE.txt)
    install(FILES ${CMAKE_BINARY_DIR}/package/LICENSE.txt DESTINATION .)
  endif()
else()
  install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  if(KORVANTA_LICENSE_FILE)
    # Where Debian keeps every package's licence, in Debian's machine-readable
    # form: the licence's SPDX name, then its text indented by one blank,
    # with " ." for an empty line.
    file(READ ${KORVANTA_LICENSE_FILE} license_text)
    string(REGEX REPLACE "\n$" "" license_text "${license_text}")
    string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
    string(REPLACE "\n" "\n " license_text "${license_text}")
    file(WRITE ${CMAKE_BINARY_DIR}/package/copyright.new
         "Upstream-Name: korvanta\n\n"
         "Files: *\n"
         "Copyright: 2026 The Korvanta authors\n"
         "License: ${KORVANTA_LICENSE_SPDX}\n ${license_text}\n")
    file(COPY_FILE ${CMAKE_BINARY_DIR}/package/copyright.new ${CMAKE_BINARY_DIR}/package/copyright
         ONLY_IF_DIFFERENT)
    file(REMOVE ${CMAKE_BINARY_DIR}/package/copyright.new)
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${KORVANTA_LICENSE_FILE})
    install(FILES ${CMAKE_BINARY_DIR}/package/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
  endif()
endif()

set(CPACK_PACKAGE_NAME korvanta)
set(CPACK_PACKAGE_VENDOR "Korvanta")
set(CPACK_PACKAGE_CONTACT "${KORVANTA_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Turns a flight route finder's text result into flight-simulator plan files")
# Lines of the Debian description, kept under 80 columns for apt's listing.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Reads the text result of an online flight route finder (the block that"
  "begins \"Computed route from\") and writes flight-plan files for FS2004,"
  "FSX, Google Earth (KML), X-Plane and the iFly, Level-D, PMDG, FSNavigator,"
  "CIVA, MadDog and Tu-154 add-ons, each into the folder where its simulator"
  "looks for plans. A desktop window (korvanta) and a command line"
  "(korvanta-cli).")
set(CPACK_RESOURCE_FILE_LICENSE ${KORVANTA_LICENSE_FILE})
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)

if(WIN32)
  set(KORVANTA_PACKAGE_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME korvanta-${PROJECT_VERSION}-win64)
else()
  set(KORVANTA_PACKAGE_GENERATOR DEB)
  # korvanta_<version>_<architecture>.deb, as apt and dpkg name packages.
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_GENERATOR ${KORVANTA_PACKAGE_GENERATOR})
include(CPack)

# The suite makes the package from the built tree and checks what a user gets.
if(KORVANTA_TESTS)
  string(TOLOWER "package_${KORVANTA_PACKAGE_GENERATOR}" test_name)
  enable_testing()
  add_test(NAME ${test_name}
    COMMAND ${CMAKE_COMMAND}
      -DCPACK=${CMAKE_CPACK_COMMAND}
      -DCONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
      -DGENERATOR=${KORVANTA_PACKAGE_GENERATOR}
      -DWORK=${CMAKE_BINARY_DIR}/package_test
      -DVERSION=${PROJECT_VERSION}
      -DSOURCE=${CMAKE_SOURCE_DIR}
      -DLICENSE=${KORVANTA_LICENSE_FILE}
      -DWITH_WINDOW=$<TARGET_EXISTS:korvanta>
      -P ${CMAKE_SOURCE_DIR}/tests/package_test.cmake)
  set_tests_properties(${test_name} PROPERTIES TIMEOUT 300)
endif()
