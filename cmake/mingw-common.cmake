# What both Windows toolchains share, for CMAKE_SYSTEM_PROCESSOR (i686 or
# x86_64): Debian's mingw-w64 compilers in their posix thread model (which
# GoogleTest needs for std::mutex), and Wine as the tests' emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(KL_MINGW ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${KL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KL_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KL_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every test program runs through one wrapper that gives Wine the
# environment of the build tree it belongs to (prefix, architecture, loader).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine.sh)
