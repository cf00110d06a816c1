#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTKD_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target tkd
exec build/release/tkd "$@"
