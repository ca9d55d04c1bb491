# Cross build for 32-bit Windows with Debian's mingw-w64 (posix threads).
# The -posix compilers are named explicitly: installing the -win32 variants
# re-points the plain names.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KORVANE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
