# Cross-compiles for 64-bit Windows with the MinGW-w64 compilers of Debian
# (packages mingw-w64 and g++-mingw-w64-x86-64-posix). The posix thread model
# is the one whose C++ library has std::thread. Programs are linked
# statically, so they run under wine (or on Windows) without any DLL beside
# them, and tests run through wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLORY_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLORY_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLORY_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLORY_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLORY_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(QUILLORY_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QUILLORY_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLORY_WINE})
endif()
