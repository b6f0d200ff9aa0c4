# Link settings of the Windows DLL (mingw-w64). Included from the top-level
# CMakeLists.txt when building for Windows.
#
# The DLL is vexalkit.dll with its import library libvexalkit.dll.a. Its
# exports come from the module-definition file alone. libgcc, libstdc++ and
# winpthread are linked in, so the DLL imports only system DLLs: KERNEL32 and
# msvcrt.dll, whose heap the DLL shares with its callers.
set(VEXL_EXPORT_DEF ${PROJECT_SOURCE_DIR}/src/exports/vexalkit.def)
set_target_properties(vexalkit PROPERTIES PREFIX "" IMPORT_PREFIX "lib"
                                          LINK_DEPENDS ${VEXL_EXPORT_DEF})
target_link_options(vexalkit PRIVATE ${VEXL_EXPORT_DEF} -static -static-libgcc
                    -static-libstdc++ -Wl,--no-undefined -Wl,--exclude-libs,ALL)

# Programs find the DLL beside them; the import library lies there too.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set_target_properties(vexalkit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                                          ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# A version resource (file and product version), compiled by windres, for
# `target`, whose file is `fileName`: VFT_DLL or VFT_APP as `fileType`.
enable_language(RC)
function(vexl_version_resource target fileName fileType description)
  set(VEXL_RC_FILE_NAME ${fileName})
  set(VEXL_RC_FILE_TYPE ${fileType})
  set(VEXL_RC_DESCRIPTION ${description})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/vexalkit.rc.in ${PROJECT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/${target}.rc)
endfunction()
vexl_version_resource(vexalkit vexalkit.dll VFT_DLL "${PROJECT_DESCRIPTION}")
