# Cross-compiling for 32-bit Windows: the program itself.
set(TOLVA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
