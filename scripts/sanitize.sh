#!/usr/bin/env bash
# Builds everything with clang under AddressSanitizer and UndefinedBehaviorSanitizer, runs every
# suite in that build, then each fuzz target for FUZZ_SECONDS seconds (30 unless set) on its seed
# corpus. Any finding fails the run. Needs the packages that scripts/setup.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROWSMITH_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

seconds="${FUZZ_SECONDS:-30}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for target in build-asan/fuzz/fuzz_*; do
    name="$(basename "$target")"
    name="${name#fuzz_}"
    mkdir -p "$work/$name"
    # New inputs go to a scratch corpus, never into the seeds of the repository.
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/$name-" "$work/$name" "fuzz/corpus/$name" >"$work/$name.log" 2>&1; then
        tail -n 60 "$work/$name.log"
        for crash in "$work/$name"-*; do
            [ -e "$crash" ] && { echo "Input that failed ($crash):"; od -A d -c "$crash" | head -n 64; }
        done
        exit 1
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")"
    echo "fuzz_$name: $runs runs in $seconds s, no finding"
done
