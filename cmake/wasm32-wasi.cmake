# Build for WebAssembly (wasm32-wasi) with Debian's clang 14, for the web
# page (preset "web"). Packages: clang, lld-14, llvm-14, wasi-libc,
# libc++-14-dev-wasm32, libc++abi-14-dev-wasm32, libclang-rt-14-dev-wasm32,
# and binaryen, whose wasm-opt clang runs after an optimised link.
#
# Debian's C++ runtime for wasm32 has no exceptions, so everything is
# compiled with -fno-exceptions (the core throws nothing). The module is a
# library for the page ("reactor": no main), stripped of the debug sections
# Debian's wasm libraries carry.

set(CMAKE_SYSTEM_NAME WASI)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
# CMake 3.25 knows no WASI platform; cmake/Platform/WASI.cmake is ours.
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})

find_program(CMAKE_CXX_COMPILER NAMES clang++-14 clang++ REQUIRED)
find_program(CMAKE_AR NAMES llvm-ar-14 llvm-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-14 llvm-ranlib REQUIRED)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# The compiler checks build a library: a reactor has no main to link.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-mexec-model=reactor -Wl,--strip-all")
