#!/usr/bin/env bash
# The Windows program: cross-builds build-win/LumioVeyra.exe with mingw-w64,
# checks that it is one self-contained file that needs only DLLs of Windows
# itself, and smoke-tests it under Wine on a virtual desktop (the launcher's
# screenshot lands in artifacts/wine-launcher.png). Needs the packages of
# scripts/install-deps.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

# Every skin image is a resource of the program.
for png in res/skins/*.png; do
  grep -qF "\"skins/$(basename "$png")\"" res/lumioveyra.rc || { echo "res/lumioveyra.rc lacks $png" >&2; exit 1; }
done

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-win -j"$(nproc)"
exe=build-win/LumioVeyra.exe
echo "$exe: $(stat -c %s "$exe") bytes"

# Wine's own DLLs (lower-case file names) stand in for the system's: an
# import that Wine does not provide (a compiler runtime DLL, say) would be
# missing on a clean Windows.
system_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
for dll in $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p'); do
  [ -e "$system_dlls/${dll,,}" ] || { echo "$exe imports $dll, which Windows does not provide" >&2; exit 1; }
done

mkdir -p artifacts
/usr/bin/python3 tests/wine/smoke_test.py "$exe" "$(pwd)"
