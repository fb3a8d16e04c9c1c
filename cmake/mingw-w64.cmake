# Cross build for 64-bit Windows with MinGW-w64. The -posix compilers use the posix thread
# model, which the test framework needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VARKAM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VARKAM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VARKAM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VARKAM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VARKAM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every program is linked statically, so a built .exe runs on its own under Wine or Windows;
# what no code reaches of the static libraries is left out.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections")

# zlib from Debian's MinGW-w64 build, linked in like everything else.
set(ZLIB_USE_STATIC_LIBS ON)

# ctest runs the Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
