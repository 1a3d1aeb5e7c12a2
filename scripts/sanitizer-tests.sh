#!/usr/bin/env bash
# Builds the table engine, the page drawings and the report engine with the address and
# undefined-behaviour sanitizers into build-asan/ and runs their tests there: the code that reads
# files from disk is where a memory fault would hide.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build-asan/build.ninja ] || cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMELVORA_SANITIZE=ON
targets=(tests_tables table_probe metafile_tests report_engine_tests)
cmake --build build-asan -j2 --target "${targets[@]}"
export QT_QPA_PLATFORM=offscreen
# libemf2svg, a test peer, leaks a few bytes of its own; leaks in our code fail the run.
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$(pwd)/scripts/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd build-asan
ctest --output-on-failure -R '^(tables|metafile_tests|report_engine_tests)$'
