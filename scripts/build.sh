#!/usr/bin/env bash
# Configures (once) and builds Tallyscan 6 into build/ with Ninja: everything, or only the targets
# named as arguments (the sample needs just the two programs).
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh"
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build -j"$(nproc)" --target "$@"
else
    cmake --build build -j"$(nproc)"
fi
