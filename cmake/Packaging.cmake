# Debian packages made by CPack from the install rules (cpack in a build configured with
# -DCMAKE_INSTALL_PREFIX=/usr): "quorkvt", the desktop program with its tools and the link library,
# and "libquorlink-dev", what a host needs to build against the library. The packages' dependencies
# come from the libraries their programs link (dpkg-shlibdeps), plus what is loaded at run time.
# A Windows build (the DLL and the core, for the clubs' PCs) is not packaged here.
if(WIN32)
  return()
endif()

set(KVT_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

# Every package has its copyright file and its changelog (compressed, as Debian keeps them) in
# share/doc/<package>.
# The changelog and the manual pages go compressed, as Debian keeps them (gzip -9n: no time stamp).
find_program(GZIP gzip REQUIRED)
set(compressed)
foreach(file IN ITEMS packaging/changelog app/program/QuorKVT.1 tools/convert/quorkvt-convert.1
                      tools/quorclock/quorclock.1)
  get_filename_component(name ${file} NAME)
  set(output ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/${file} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${file})
  list(APPEND compressed ${output})
endforeach()
add_custom_target(kvt_compressed_files ALL DEPENDS ${compressed})
set(changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/QuorKVT.1.gz
              ${CMAKE_BINARY_DIR}/packaging/quorkvt-convert.1.gz
              ${CMAKE_BINARY_DIR}/packaging/quorclock.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
foreach(pair IN ITEMS program:quorkvt dev:libquorlink-dev)
  string(REPLACE ":" ";" pair ${pair})
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${KVT_PACKAGING}/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()
# The menu entry, its icon and the program's AppStream description.
set(desktop app/program/desktop)
install(FILES ${desktop}/org.quorkvt.QuorKVT.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications COMPONENT program)
install(FILES ${desktop}/org.quorkvt.QuorKVT.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo COMPONENT program)
install(FILES ${desktop}/quorkvt.svg
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps COMPONENT program)
install(FILES ${desktop}/quorkvt.png
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/128x128/apps COMPONENT program)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quorkvt COMPONENT program)
install(DIRECTORY demo/printouts DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/quorkvt/demo
  COMPONENT program)
install(FILES tools/quorclock/data/club.clock DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/quorkvt/demo
  COMPONENT program)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorkvt)
set(CPACK_PACKAGE_VENDOR "QuorKVT")
set(CPACK_PACKAGE_CONTACT "QuorKVT <quorkvt@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program dev)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME quorkvt)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
# Loaded at run time, so not found by dpkg-shlibdeps: Qt's SQLite driver for the club's databases,
# and a monospace face that the library prints with.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-dejavu-core")
# Qt's own dialogs in Spanish, and its PostgreSQL driver for registers kept on a club's server.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "qt6-translations-l10n, libqt6sql6-psql")
# The library's folder is the dynamic linker's: its cache is renewed by dpkg's trigger.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_CONTROL_EXTRA ${KVT_PACKAGING}/triggers)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_COMPONENT_PROGRAM_DESCRIPTION
"reads the race clocks of a pigeon-racing club
QuorKVT captures what a Quor clock prints on its serial port (the basketing,
checking and archive lists), prints it, and writes the club's contest and
pigeon files. It keeps the club's members and contests. The package holds the
desktop program, the conversion command quorkvt-convert, the clock simulator
quorclock and the clock link library quorlink.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME libquorlink-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_COMPONENT_DEV_DEPENDS program)
set(CPACK_COMPONENT_DEV_DESCRIPTION
"development files of the quorlink pigeon clock link library
quorlink talks to Quor and Tolvex pigeon clocks on a serial port: it captures
and prints what a clock prints and speaks the clocks' command protocol. This
package holds the C header quorlink.h, the pkg-config file and the CMake
package (find_package(quorlink) gives the target quorlink::quorlink).")

include(CPack)
