# Cross build for 32-bit x86 Windows with mingw-w64 (the -posix compilers,
# whose C++ runtime has std::mutex and std::thread). ctest runs the
# programs built here under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VEXL_MINGW_TRIPLE i686-w64-mingw32)
set(VEXL_WINE_BITS 32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Doubles computed with SSE2, as on the 64-bit builds, not with the x87 unit's
# wider registers, so every build stores the same single-precision results.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
