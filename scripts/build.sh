#!/usr/bin/env bash
# Configures (once) and builds Melvora into build/. MELVORA_WERROR=ON (as CI sets it) makes
# every warning an error.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR="${MELVORA_WERROR:-OFF}"
fi
cmake --build build -j2
