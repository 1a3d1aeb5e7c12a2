#!/usr/bin/env bash
# Kills Melvora at random instants in the middle of its cascades (artist rename and delete, CD
# retitle and delete, checkout, return, erase) on a collection of 2,000 CDs, KILLS times (200 unless
# given), and checks after each that the next start-up finds the whole action or none of it.
# CI runs the short form (14 kills) as the ctest case actions_real_faults.
#   bash bench/actions/kill_loop.sh [KILLS]
set -euo pipefail
cd "$(dirname "$0")/../.."
[ -x build/tests/actions/tests_actions ] || bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
MELVORA_KILLS="${1:-200}" exec build/tests/actions/tests_actions --gtest_filter='RandomKills.*'
