# Cross-compiling for 32-bit Windows: the program and the Windows-side tests.
set(TOLVA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
