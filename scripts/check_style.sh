#!/usr/bin/env bash
# Fails when a source file drifts from .clang-format (the build's `format` target rewrites
# them), or when an include crosses the layers the wrong way.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(find app core gui tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
clang-format --dry-run --Werror "${sources[@]}"
python3 scripts/check_layers.py
