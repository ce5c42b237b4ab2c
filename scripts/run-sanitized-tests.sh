#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer and runs them; any finding
# fails the run. By default the core, platform and CLI tests (the code that reads project, scan,
# registry and archive files, hostile ones included) into build-asan/; with --all the desktop
# program's tests as well, into build-asan-all/. CI runs the default after the normal tests: the
# desktop half under the sanitizers doubles the build time for code that reads no files of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-asan
gui=OFF
if [ "${1:-}" = "--all" ]; then
    out=build-asan-all
    gui=ON
fi
# clang builds this about three times as fast as g++ does, which keeps CI short.
"$PWD/scripts/install-deps.sh" clang libclang-rt-14-dev
# -O1 keeps the instrumented tests quick.
[ -f "$out/build.ninja" ] ||
    CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS="-O1 -g1" -DTALLY_SANITIZE=ON -DTALLY_BUILD_BENCH=OFF \
        -DTALLY_BUILD_GUI="$gui" >/dev/null
cmake --build "$out" -j"$(nproc)"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir "$out" -j"$(nproc)" --output-on-failure --timeout 900
