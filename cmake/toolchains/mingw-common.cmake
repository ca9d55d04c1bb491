# Shared part of the mingw-w64 toolchain files; KORVANE_MINGW_TRIPLET names the
# target (i686-w64-mingw32 or x86_64-w64-mingw32).
set(CMAKE_C_COMPILER /usr/bin/${KORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${KORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${KORVANE_MINGW_TRIPLET}-windres)
set(CMAKE_AR /usr/bin/${KORVANE_MINGW_TRIPLET}-ar CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB /usr/bin/${KORVANE_MINGW_TRIPLET}-ranlib CACHE FILEPATH "Ranlib")
set(CMAKE_OBJDUMP /usr/bin/${KORVANE_MINGW_TRIPLET}-objdump CACHE FILEPATH "Object dumper")

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything links statically, so the programs and the DLL need nothing beyond
# the system's own DLLs (KERNEL32, msvcrt, USER32).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
