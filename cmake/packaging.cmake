# Debian packages, built with CPack from the install components:
#   libvexalkit0     the shared library (runtime)
#   libvexalkit-dev  headers, the development link, CMake and pkg-config files (dev)
#   vexalkit-tools   the command-line tool (tools)
# Each carries the MIT licence as its Debian copyright file. scripts/package.sh
# builds them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexalkit)
set(CPACK_PACKAGE_VENDOR "the Vexalkit authors")
set(CPACK_PACKAGE_CONTACT "the Vexalkit authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime dev tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies on system libraries come from dpkg-shlibdeps; those between
# the three packages from the components' DEPENDS (at this exact version).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})
# The library's package carries a shlibs file, so that packages built
# against it get their dependency on it computed too.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libvexalkit${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libvexalkit-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME vexalkit-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_SECTION utils)

include(CPack)
cpack_add_component(runtime DISPLAY_NAME "Vexalkit library"
                    DESCRIPTION "The shared library that reads the game's data files.")
cpack_add_component(dev DISPLAY_NAME "Vexalkit development files" DEPENDS runtime
                    DESCRIPTION "Headers, CMake package and pkg-config file for building against Vexalkit.")
cpack_add_component(tools DISPLAY_NAME "Vexalkit tool" DEPENDS runtime
                    DESCRIPTION "vexalkit: lists, describes, extracts and converts the game's data files.")

# Debian wants each package's licence at /usr/share/doc/PACKAGE/copyright.
# These files go only into the packages: a plain install, which names no
# component, leaves them out.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE VEXL_LICENCE_TEXT)
string(REGEX REPLACE "\n$" "" VEXL_LICENCE_TEXT "${VEXL_LICENCE_TEXT}")
string(REGEX REPLACE "\n\n" "\n.\n" VEXL_LICENCE_TEXT "${VEXL_LICENCE_TEXT}")
string(REGEX REPLACE "\n" "\n " VEXL_LICENCE_TEXT " ${VEXL_LICENCE_TEXT}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian-copyright.in ${PROJECT_BINARY_DIR}/debian/copyright
               @ONLY)
foreach(component runtime dev tools)
  string(TOUPPER ${component} upper)
  install(FILES ${PROJECT_BINARY_DIR}/debian/copyright
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_${upper}_PACKAGE_NAME}
          COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${CPACK_DEBIAN_DEV_PACKAGE_NAME}
        COMPONENT dev EXCLUDE_FROM_ALL)
