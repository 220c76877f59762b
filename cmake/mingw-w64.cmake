# Cross-builds lumtrel.exe for 64-bit Windows with Debian's MinGW-w64
# (package g++-mingw-w64-x86-64-posix). Everything the compiler brings,
# libgcc, libstdc++ and winpthread, is linked in statically, so the exe needs
# only the DLLs that every Windows has. Where Wine is installed, CTest runs
# the Windows tests through it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# Libraries and packages come from the MinGW tree only, never the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(LUMTREL_WINE wine)
if(LUMTREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${LUMTREL_WINE})
endif()
