#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the whole test suite there, GUI tests on the offscreen
# platform. Any report fails the run: UBSan stops at the first fault, ASan
# (leaks included) exits with an error. The packages are those that
# scripts/setup.sh installs.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build-asan"
jobs=${JOBS:-$(nproc)}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DTARVOLIN_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1"
fi
cmake --build "$build" -j"$jobs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" --timeout 600
