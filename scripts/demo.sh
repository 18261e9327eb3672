#!/usr/bin/env bash
# Sets up a fresh machine, builds the client and runs it against the local
# demo operator site on 127.0.0.1:8080. The site's output (the usage reports
# it receives, among others) appears in this terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target lumioveyra

port=${LV_DEMO_PORT:-8080}
run="$root/build/demo-run"
mkdir -p "$run"
cp build/lumioveyra "$run/"
cat > "$run/servers.ini" <<INI
[servers]
site=http://127.0.0.1:$port
pay=http://127.0.0.1:$port
kefu=http://127.0.0.1:$port
portal=http://127.0.0.1:$port
log=http://127.0.0.1:$port
cs=http://127.0.0.1:$port
INI
# A first run: the installer leaves the account in "filename".
[ -f "$run/static.ini" ] || printf '[vy]\r\nfilename=zc10001_8888.exe\r\n' > "$run/static.ini"

/usr/bin/python3 demo/server.py --port "$port" &
site=$!
trap 'kill $site 2>/dev/null || true' EXIT

if [ -z "${DISPLAY:-}" ]; then
  # No desktop here: give the client one of its own and keep screenshots.
  display=:77
  Xvfb $display -screen 0 1366x768x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $site $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=$display
  sleep 1
  openbox >/dev/null 2>&1 &
  echo "No display found: the client runs on Xvfb $display (see artifacts/demo.png)."
  (sleep 8; mkdir -p "$root/artifacts"; import -window root "$root/artifacts/demo.png") &
fi

cd "$run"
./lumioveyra
