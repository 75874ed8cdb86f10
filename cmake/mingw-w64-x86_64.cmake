# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX thread
# model, for std::thread), run and tested under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOMBRELI_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOMBRELI_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOMBRELI_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOMBRELI_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOMBRELI_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Linked with the compiler's own libraries built in: a program that needs
# libstdc++-6.dll or libwinpthread-1.dll exits under wine with 53 and no word.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Programs run through wine in a prefix of the build's own, so that tests and
# test discovery never touch the user's ~/.wine (see wine-run.sh).
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
endif()
