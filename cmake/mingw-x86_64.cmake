# Cross build for 64-bit Windows with Debian's mingw-w64: the same program as
# the 32-bit build. Tests run under 64-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
