# Shared part of the mingw-w64 toolchain files: Debian's cross compilers
# with the posix thread model (std::mutex and std::thread work, which
# GoogleTest needs), the runtime linked statically so the program needs no
# DLL beyond the system's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

set(CMAKE_C_COMPILER ${VADIRE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VADIRE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VADIRE_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${VADIRE_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VADIRE_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${VADIRE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread go into the executable itself.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

