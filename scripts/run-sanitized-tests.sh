#!/usr/bin/env bash
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs it; any finding fails the run. Slower than the normal build, so CI runs it
# after the normal tests.
set -euo pipefail
cd "$(dirname "$0")/.."
# clang builds this about three times as fast as g++ does, which keeps CI short.
"$PWD/scripts/install-deps.sh" clang libclang-rt-14-dev
# -O1 keeps the instrumented tests quick.
[ -f build-asan/build.ninja ] ||
    CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS="-O1 -g1" -DTALLY_SANITIZE=ON -DTALLY_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-asan -j"$(nproc)" --output-on-failure --timeout 900
