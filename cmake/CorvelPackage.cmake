# cpack (run in the build folder) makes a Debian package and a tar.gz of what
# `cmake --install` installs, in <build>/packages.

set(CPACK_PACKAGE_NAME corvel)
set(CPACK_PACKAGE_VENDOR "The corvel developers")
set(CORVEL_PACKAGE_CONTACT "The corvel developers" CACHE STRING
    "Maintainer of the Debian package: a name and an address in angle brackets")
set(CPACK_PACKAGE_CONTACT "${CORVEL_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compiler and tools for the control programs of a device-programmer board")
set(CPACK_PACKAGE_DESCRIPTION
    "corvel compiles control programs, written in a small C dialect, for an EPROM
and device-programmer board built around an H8/300H processor: into ROM files
of byte code that the board's firmware interprets, or into H8/300H assembly.
trimmel makes that assembly smaller by a table of search-and-replace rules,
and corvlink assembles and links it with the GNU tools for the H8/300H
(binutils-h8300-hms) and imports it into a ROM file.

Distributed under the MIT licence (see /usr/share/doc/corvel/copyright).")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# corvlink runs the GNU tools for the H8/300H; corvel and trimmel need none.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS binutils-h8300-hms)
# The libraries the programs link against, with the versions they need, come
# from dpkg-shlibdeps (package dpkg-dev, which also needs `file`). Without it
# they are stated by hand, without versions.
find_program(CORVEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(CORVEL_FILE file)
if(CORVEL_DPKG_SHLIBDEPS AND CORVEL_FILE)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()

include(CPack)
