# Cross-compiling for 64-bit Windows: the same sources, for running the Windows-side tests on
# machines that cannot execute 32-bit Linux programs, where Wine's 32-bit loader does not start.
set(TOLVA_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
