# Cross-compiling for 64-bit Windows with MinGW-w64 on Debian (g++-mingw-w64-x86-64).
# The "posix" thread model is the one whose libstdc++ has std::thread and std::jthread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that need no MinGW runtime DLLs next to them, so Wine (or a Windows machine) runs
# them from wherever they are.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs and test discovery run through Wine.
find_program(TALLY_WINE wine)
if(TALLY_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLY_WINE})
endif()
