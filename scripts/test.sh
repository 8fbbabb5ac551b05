#!/usr/bin/env bash
# Builds Rowsmith and runs every test suite, then the same suites and the fuzz targets in the
# sanitizer build (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash scripts/sanitize.sh
