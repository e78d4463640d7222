# The part of the MinGW-w64 cross builds both sizes share; the including
# toolchain file sets NOMARO_MINGW_TRIPLE (i686-w64-mingw32 or
# x86_64-w64-mingw32) and CMAKE_SYSTEM_PROCESSOR. The posix-threads variant is
# needed: the win32-threads variant has no std::mutex and cannot build GoogleTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${NOMARO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NOMARO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${NOMARO_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${NOMARO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the binaries import only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
