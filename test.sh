#!/usr/bin/env bash
# Builds Melvora and runs every test (windows run on the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j2 "$@"
