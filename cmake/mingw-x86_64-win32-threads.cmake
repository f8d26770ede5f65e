# Cross-compiling the 64-bit program with the win32-thread compiler (see mingw-common.cmake).
set(TOLVA_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-x86_64.cmake)
