#!/usr/bin/env bash
# Configures and builds in build/: the targets named as arguments, or the
# program and all its tests when none is named.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
objetivos=()
for t in "$@"; do objetivos+=(--target "$t"); done
cmake --build build -j"$(nproc)" "${objetivos[@]}"
