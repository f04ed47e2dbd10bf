# The WASI platform for CMake 3.25, which has none: a Unix-like system whose
# programs end in .wasm.
set(WASI 1)
set(UNIX 1)
set(CMAKE_EXECUTABLE_SUFFIX ".wasm")
set(CMAKE_STATIC_LIBRARY_PREFIX "lib")
set(CMAKE_STATIC_LIBRARY_SUFFIX ".a")
