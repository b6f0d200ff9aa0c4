# The tool's header-only libraries for a cross build. Their headers are the
# same for every target, but a cross build searches only the target's root,
# and the build machine's /usr/include may not be put on the target's
# include path (its C library headers would come with it). So each
# library's folder is linked, alone, into a folder of this build, and an
# imported target of the name its package gives is made on it.
set(VEXL_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${VEXL_HOST_HEADERS})

# Sets `found` when /usr/include/`folder`/`header` exists and makes `target`.
function(vexl_host_header_library folder header target found)
  find_path(VEXL_HEADERS_${folder} ${folder}/${header} PATHS /usr/include NO_DEFAULT_PATH
            NO_CMAKE_FIND_ROOT_PATH)
  if(NOT VEXL_HEADERS_${folder})
    return()
  endif()
  if(NOT TARGET ${target})
    file(CREATE_LINK ${VEXL_HEADERS_${folder}}/${folder} ${VEXL_HOST_HEADERS}/${folder} SYMBOLIC)
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    target_include_directories(${target} INTERFACE ${VEXL_HOST_HEADERS})
  endif()
  set(${found} TRUE PARENT_SCOPE)
endfunction()

vexl_host_header_library(CLI CLI.hpp CLI11::CLI11 CLI11_FOUND)
vexl_host_header_library(nlohmann json.hpp nlohmann_json::nlohmann_json nlohmann_json_FOUND)
