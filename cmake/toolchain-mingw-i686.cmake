# The Windows program: a 32-bit executable cross-built with Debian's
# mingw-w64 i686 toolchain (the posix thread model, for std::thread).
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-win
#
# gives build-win/LumioVeyra.exe (see scripts/windows.sh). Everything of the
# compiler's own runtime is linked in, so the one file runs on a clean
# Windows with system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(mingw_prefix i686-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No runtime DLLs: libgcc, libstdc++ and winpthreads go into the executable.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release build ships without symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
