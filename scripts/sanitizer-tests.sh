#!/usr/bin/env bash
# The strict build: clang, warnings as errors, the address and undefined-behaviour sanitizers,
# debug checks on (every commit checks the indexes against their tables). Builds everything into
# build-asan/ and runs the tests there, the fuzz loop of the report-file reader among them.
# Not yet run here, until their findings are mended: dataaware (a 32-byte leak of a guarded
# pointer), app (the stand-in main window of the tests is cast to the real one), tools (the check
# and repair tests damage indexes on purpose, which the debug commit check stops) and six of the
# action sweeps; MELVORA_STRICT_ALL=1 runs them too.
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
pending='^(dataaware|app|tools|actions_(rename|delete_artist|delete_cd|retitle|checkout|return|real_faults))$'
if [ "${MELVORA_STRICT_ALL:-0}" = 1 ]; then
  ctest --output-on-failure -j2 "$@"
else
  ctest --output-on-failure -j2 -E "$pending" "$@"
fi
