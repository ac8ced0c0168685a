# Cross-builds the native Windows program (64-bit) with Debian's MinGW-w64 and runs what it
# builds under Wine: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RZV_MINGW_PREFIX x86_64-w64-mingw32)
# The -posix compilers: std::thread and std::mutex need the POSIX threading model.
set(CMAKE_C_COMPILER ${RZV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RZV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RZV_MINGW_PREFIX}-windres)
# The event log's message table (binutils-mingw-w64-x86-64).
set(CMAKE_MC_COMPILER ${RZV_MINGW_PREFIX}-windmc)

set(CMAKE_FIND_ROOT_PATH /usr/${RZV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs the tests. The 64-bit loader directly: Debian's `wine` wrapper looks for a 32-bit
# Wine first and nags when it is missing.
find_program(RZV_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(RZV_WINE64 NAMES wine64 wine)
if(RZV_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${RZV_WINE64})
endif()
