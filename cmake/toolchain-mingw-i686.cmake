# The Windows program: a 32-bit GUI executable cross-built with Debian's
# mingw-w64 i686 toolchain (the posix thread model, for std::thread).
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
#   cmake --build build-win
#
# gives build-win/LumioVeyra.exe. Everything of the compiler's own runtime is
# linked in, so the one file runs on a clean Windows with system DLLs only.
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

# Windows 7 and later; wide-character Win32 throughout; no min/max macros in
# the way of the standard library.
set(lv_windows_defines "-DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DNOMINMAX")
set(CMAKE_C_FLAGS_INIT "${lv_windows_defines}")
set(CMAKE_CXX_FLAGS_INIT "${lv_windows_defines}")
set(CMAKE_RC_FLAGS_INIT "-DUNICODE -D_UNICODE")

# The GUI subsystem and no runtime DLLs. (The program's wWinMain entry point,
# -municode, is the program target's own: CMake's compiler checks use main.)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -mwindows")
# A release build ships without symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
