#!/usr/bin/env bash
# Installs what is missing, builds Fendral with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite; the last line is CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENDRAL_SANITIZE=ON
cmake --build build/test
cd build/test
exec ctest --output-on-failure --timeout 300 "$@"
