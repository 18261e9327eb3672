#!/usr/bin/env bash
# Sets up a fresh machine and runs every test: the unit tests on the headless
# desktop, the skin check, the desktop tests of the real program under Xvfb,
# and the Windows program's cross build and smoke tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
/usr/bin/python3 res/check_skins.py

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="-Werror"
cmake --build build -j"$(nproc)"
mkdir -p artifacts
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600

bash scripts/windows.sh
