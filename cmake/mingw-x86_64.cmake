# Cross build for 64-bit Windows with MinGW-w64: only the context-menu
# extension, its tests, the shell host and the benchmark are built in this
# flavour (the program itself stays 32-bit).
set(NOMARO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
