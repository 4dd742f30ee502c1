# 64-bit Windows: x86_64-w64-mingw32 from Debian's mingw-w64. The Windows
# tests are built this way, as they run under wine64 on machines that
# cannot execute 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(VADIRE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
