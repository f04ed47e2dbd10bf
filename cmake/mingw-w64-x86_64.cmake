# Cross build for 64-bit Windows with Debian's MinGW-w64 toolchain
# (packages g++-mingw-w64-x86-64 and, to run the tests, wine64 and wine).
#
#   cmake --workflow --preset windows
#
# The program is linked statically, so quorvale.exe needs nothing on the
# Windows machine beyond the system's own KERNEL32.dll and msvcrt.dll.
# Executables built here run under Wine when CMake or CTest has to run them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVALE_MINGW_PREFIX x86_64-w64-mingw32)

# Debian ships two thread models; the posix one is preferred because its
# libstdc++ has every standard thread facility. Either serves this program,
# which uses the standard library only.
find_program(CMAKE_CXX_COMPILER NAMES ${QUORVALE_MINGW_PREFIX}-g++-posix
                                      ${QUORVALE_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${QUORVALE_MINGW_PREFIX}-gcc-posix
                                    ${QUORVALE_MINGW_PREFIX}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${QUORVALE_MINGW_PREFIX}-windres)

# Headers and libraries come from the MinGW sysroot only; programs run at
# build time (none so far) come from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVALE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -O2 rather than -O3 for the release build: GCC 12 at -O3 reports a false
# -Wrestrict on ordinary string concatenation (GCC bug 105329), which
# -Werror would turn into a failed build.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags for the release build")

# No libgcc, libstdc++ or winpthread DLLs to ship next to the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest (and gtest's discovery, were it used) run the .exe files under Wine.
# Without Wine the program still builds; only the tests cannot run.
find_program(QUORVALE_WINE NAMES wine wine64)
if(QUORVALE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVALE_WINE})
endif()
