#!/usr/bin/env bash
# Builds everything and runs every test in parallel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build -j"$(nproc)" --output-on-failure --timeout 300
