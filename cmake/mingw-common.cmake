# Shared by the two mingw-w64 toolchain files; VEXL_MINGW_TRIPLE names the
# target and VEXL_WINE_BITS the wine loader that runs its programs.
set(CMAKE_C_COMPILER ${VEXL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXL_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${VEXL_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${VEXL_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VEXL_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${VEXL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program and the DLL carry the C++ runtime, libgcc and winpthread
# inside, so the only DLLs they need are the system's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# ctest runs every Windows program through this wrapper (see wine-run.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${VEXL_WINE_BITS})
