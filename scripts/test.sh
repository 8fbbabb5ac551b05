#!/usr/bin/env bash
# Builds Rowsmith, checks the layout and the layering of the sources, runs every test suite,
# then the same suites and the fuzz targets in the sanitizer build (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/check_style.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
bash scripts/sanitize.sh
