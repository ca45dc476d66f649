# The Debian packages, made by CPack from the install components "programs"
# (setrix-quorix) and "simulator" (muxsim): scripts/package.

# CPack installs without building everything first: scripts/package builds the
# three programs it needs, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME setrix-quorix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Exemplum Métrologie")
set(CPACK_PACKAGE_CONTACT "Exemplum Métrologie <support@example.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL programs simulator)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SOURCE setrix-quorix)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME setrix-quorix)
# Qt finds its X11 platform plug-in at run time; the desktop opens help pages
# and the journal folder through xdg-open; an https update checks the server
# against the system's certificate store.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_RECOMMENDS "xdg-utils, ca-certificates")
# CPack indents the lines after the first itself.
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "programs for a measuring-instrument multiplexer
Setrix finds the multiplexer, reads its instruments, sends retro-commands,
and reads and programs the configuration held in each instrument's cable.
.
Quorix polls the instruments and types every value into the application
that has the keyboard focus, usually a spreadsheet, and keeps a journal of
every reading.")

set(CPACK_DEBIAN_SIMULATOR_PACKAGE_NAME muxsim)
set(CPACK_DEBIAN_SIMULATOR_DESCRIPTION "simulator of a measuring-instrument multiplexer
muxsim answers like the multiplexer on a pseudo-terminal, so that Setrix
and Quorix can be tried, taught and demonstrated without the hardware.")

include(CPack)
# For scripts/package, which names and checks the files.
file(WRITE ${CMAKE_BINARY_DIR}/packaging/version "${PROJECT_VERSION}\n")
