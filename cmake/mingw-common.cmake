# The MinGW-w64 cross compilers for the target that the including toolchain file names in
# TOLVA_MINGW_PROCESSOR, of the thread flavour it names in TOLVA_MINGW_THREADS: posix (the
# default), which GoogleTest needs and whose runtime (winpthreads) imports functions of later
# Windows, or win32, which links no such runtime and builds the program itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TOLVA_MINGW_PROCESSOR})
if(NOT TOLVA_MINGW_THREADS)
  set(TOLVA_MINGW_THREADS posix)
endif()
set(triplet ${TOLVA_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-${TOLVA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triplet}-g++-${TOLVA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
