#!/usr/bin/env bash
# Installs what is missing, builds the program folder and starts the game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pakkon pakkon-tool puzzles
exec build/pakkon/pakkon
