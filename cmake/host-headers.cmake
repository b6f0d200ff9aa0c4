# The tool's header-only libraries for a cross build. Their headers are the
# same for every target, but a cross build searches only the target's root,
# and the build machine's /usr/include may not be put on the target's
# include path (its C library headers would come with it). So the two
# libraries' folders are linked, alone, into a folder of this build, and
# imported targets of the names their packages give are made on it.
set(VEXL_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${VEXL_HOST_HEADERS})

find_path(VEXL_CLI11_HEADERS CLI/CLI.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)
find_path(VEXL_JSON_HEADERS nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH)

if(VEXL_CLI11_HEADERS AND NOT TARGET CLI11::CLI11)
  file(CREATE_LINK ${VEXL_CLI11_HEADERS}/CLI ${VEXL_HOST_HEADERS}/CLI SYMBOLIC)
  add_library(CLI11::CLI11 INTERFACE IMPORTED)
  target_include_directories(CLI11::CLI11 INTERFACE ${VEXL_HOST_HEADERS})
  set(CLI11_FOUND TRUE)
endif()
if(VEXL_JSON_HEADERS AND NOT TARGET nlohmann_json::nlohmann_json)
  file(CREATE_LINK ${VEXL_JSON_HEADERS}/nlohmann ${VEXL_HOST_HEADERS}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${VEXL_HOST_HEADERS})
  set(nlohmann_json_FOUND TRUE)
endif()
