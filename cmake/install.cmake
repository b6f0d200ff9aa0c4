# Install rules: the library, every public header, a CMake package with the
# imported target Vexalkit::vexalkit, a pkg-config file, the README, change log
# and licence. Components: `runtime` (the shared library or DLL), `dev`
# (headers, the development link or import library, the CMake and pkg-config
# files), `tools` (the command-line tool, in tools/) and `doc`.
include(CMakePackageConfigHelpers)

set(VEXL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Vexalkit)

install(TARGETS vexalkit EXPORT VexalkitTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT dev FILES_MATCHING PATTERN "*.hpp" PATTERN "*.h")

install(EXPORT VexalkitTargets NAMESPACE Vexalkit:: DESTINATION ${VEXL_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VexalkitConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/VexalkitConfig.cmake
                              INSTALL_DESTINATION ${VEXL_CMAKE_DIR})
# 0.x releases share the major version 0, as the library's SONAME does.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VexalkitConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VexalkitConfig.cmake
              ${PROJECT_BINARY_DIR}/VexalkitConfigVersion.cmake
        DESTINATION ${VEXL_CMAKE_DIR} COMPONENT dev)

# The pkg-config file finds the prefix from its own place, so it stays right
# for whatever prefix the tree is installed under, and after a move.
set(VEXL_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE ${CMAKE_INSTALL_LIBDIR})
  set(VEXL_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
else()
  file(RELATIVE_PATH VEXL_PC_UP ${CMAKE_INSTALL_PREFIX}/${VEXL_PKGCONFIG_DIR} ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" VEXL_PC_UP "${VEXL_PC_UP}")
  set(VEXL_PC_PREFIX "\${pcfiledir}/${VEXL_PC_UP}")
endif()
set(VEXL_PC_LIBDIR ${CMAKE_INSTALL_LIBDIR})
set(VEXL_PC_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
foreach(dir LIBDIR INCLUDEDIR)
  if(NOT IS_ABSOLUTE ${VEXL_PC_${dir}})
    set(VEXL_PC_${dir} "\${prefix}/${VEXL_PC_${dir}}")
  endif()
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/vexalkit.pc.in ${PROJECT_BINARY_DIR}/vexalkit.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vexalkit.pc DESTINATION ${VEXL_PKGCONFIG_DIR} COMPONENT dev)

# Named here rather than CMAKE_INSTALL_DOCDIR, which a parent project that
# included GNUInstallDirs first has already set to its own folder.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
              ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vexalkit COMPONENT doc)
