#!/usr/bin/env bash
# Installs what is missing, builds Fendral in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENDRAL_TESTS=OFF
cmake --build build/release --target fendral
exec build/release/fendral
