#!/usr/bin/env bash
# Builds the game as a web page (emscripten) and serves it on this machine.
# Usage: scripts/web.sh [build|serve] [PORT]   (default: both, on port 8000)
# The site is the folder build-web/site: any static server can serve it.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-all}
port=${2:-8000}
if [[ $mode =~ ^[0-9]+$ ]]; then
  port=$mode
  mode=all
fi

scripts/deps.sh web

# Debian's emscripten finds its node modules here whichever node runs it.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
if [ "$mode" != serve ]; then
  emcmake cmake -S . -B build-web >/dev/null
  cmake --build build-web -j "$(($(nproc) < 2 ? 1 : 2))"
fi
[ "$mode" = build ] && exit 0

echo "ぱっこん: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web/site
