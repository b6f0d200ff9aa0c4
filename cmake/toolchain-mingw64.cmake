# Cross build for x86-64 Windows with mingw-w64 (the -posix compilers, whose
# C++ runtime has std::mutex and std::thread). ctest runs the programs built
# here under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VEXL_MINGW_TRIPLE x86_64-w64-mingw32)
set(VEXL_WINE_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
