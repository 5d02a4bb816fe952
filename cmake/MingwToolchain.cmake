# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread
# model, which std::thread and std::mutex need). Programs and libraries link
# libgcc, libstdc++ and winpthread statically, so they depend on Windows'
# own DLLs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILVERN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILVERN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILVERN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILVERN_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${QUILVERN_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${QUILVERN_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${QUILVERN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# GCC keeps the stack 16-byte aligned on Windows but may spill 32-byte AVX
# registers to it with aligned moves (GCC bug 54412), which fault at random
# in the AVX2 paths; the assembler makes every such move an unaligned one.
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Debian's JUCE package sits in the build machine's multiarch folder, which
# a Windows target does not search. Its CMake code serves any target, and
# the juceaide it runs is a build-machine program, as it has to be.
file(GLOB QUILVERN_JUCE_PACKAGE_DIRS /usr/lib/*-linux-gnu/cmake/JUCE-*)
list(APPEND CMAKE_PREFIX_PATH ${QUILVERN_JUCE_PACKAGE_DIRS})
