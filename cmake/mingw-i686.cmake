# 32-bit Windows (the product): i686-w64-mingw32 from Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VADIRE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
