#!/usr/bin/env bash
# The strict build: clang, warnings as errors, the address and undefined-behaviour sanitizers,
# debug checks on (every commit checks the indexes against their tables). Builds everything into
# build-asan/ and runs every test there, the fuzz loop of the report-file reader among them.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-asan/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMELVORA_SANITIZE=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
fi
cmake --build build-asan -j2
export QT_QPA_PLATFORM=offscreen
# libemf2svg, a test peer, leaks a few bytes of its own; leaks in our code fail the run.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$(pwd)/scripts/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd build-asan
ctest --output-on-failure -j2 "$@"
