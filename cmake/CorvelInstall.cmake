# What `cmake --install` puts where, apart from the programs themselves (each
# program's folder installs its own target with one install(TARGETS) line).
#
#   bin/corvel, bin/corvlink
#   bin/trimmel -> ../lib/corvel/trimmel
#   lib/corvel/trimmel, lib/corvel/*.rul
#   share/corvel/corvlink.ld
#   share/doc/corvel/   README.md, the guides of docs/ with their pictures, LICENSE,
#                       copyright, examples/
#   share/man/man1/     every man/*.1, compressed
#
# A new program adds install(TARGETS <name> RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# in its folder and its page as man/<name>.1; nothing here needs to change.

# The rule tables lie beside trimmel's real executable, because trimmel looks
# for a table it cannot find under the given name beside itself, its symbolic
# links resolved. Tables are not programs, so they do not belong in bin/: the
# executable and its tables share a private folder, and bin/trimmel is a
# relative link to it, which survives DESTDIR, dpkg -x and unpacked archives.
file(GLOB rule_tables CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/rewriter/rules/*.rul)
install(FILES ${rule_tables} DESTINATION ${CORVEL_PRIVATE_DIR})
file(RELATIVE_PATH trimmel_from_bin /${CMAKE_INSTALL_BINDIR} /${CORVEL_PRIVATE_DIR}/trimmel)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ${trimmel_from_bin} ${CMAKE_BINARY_DIR}/install-links/trimmel SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/trimmel DESTINATION ${CMAKE_INSTALL_BINDIR})

# corvlink carries its linker script inside; the copy is for linking by hand.
install(FILES ${PROJECT_SOURCE_DIR}/linker/corvlink.ld DESTINATION ${CMAKE_INSTALL_DATADIR}/corvel)

# The guides and their pictures, taken as they are when installing, so that
# new ones ship without a change here.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}
        FILES_MATCHING PATTERN "*.md" PATTERN "*.svg" PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/examples/eprom.c ${PROJECT_SOURCE_DIR}/examples/control.dat
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The licence once more in the form Debian's tools read: copyright and the
# full text, each line indented, empty lines as " .".
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE licence_lines)
set(copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: corvel

Files: *
Copyright: 2026 The corvel developers
License: MIT
")
foreach(line IN LISTS licence_lines)
  if(line STREQUAL "")
    string(APPEND copyright " .\n")
  else()
    string(APPEND copyright " ${line}\n")
  endif()
endforeach()
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/copyright CONTENT "${copyright}" @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Manual pages, compressed at build time as Debian installs them.
file(GLOB man_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.1)
set(compressed_pages)
foreach(page IN LISTS man_pages)
  get_filename_component(name ${page} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND gzip -9 -n -c ${page} > ${compressed}
                     DEPENDS ${page} VERBATIM)
  list(APPEND compressed_pages ${compressed})
endforeach()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
add_custom_target(man_pages ALL DEPENDS ${compressed_pages})
install(FILES ${compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
