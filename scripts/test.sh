#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# Set before building: test discovery runs the test programs during the build.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

build=build/asan
cmake -S . -B "$build" -G Ninja -DVEXOL_SANITIZE=ON -DVEXOL_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

ctest --test-dir "$build" --output-on-failure -j2 --timeout 300

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh
fi
