#!/usr/bin/env bash
# Times the option dialogs' runs against `cat f > out` and the nearest Unix tools.
# Usage: bench/compare_dialogs.sh [DATA]   (RUNS=5 BENCH=build/bench/rowsmith_bench OUT=/tmp/rowsmith-bench)
# Each run prints whole-process wall seconds; rowsmith_bench also reports the load of the
# rows and the operation alone (the dialogs find the rows already in memory), and the
# ratios use the operation alone.
set -euo pipefail
cd "$(dirname "$0")/.."
DATA=${1:-${DATA:-/tmp/rowsmith-bench/big.txt}}
RUNS=${RUNS:-5}
BENCH=${BENCH:-build/bench/rowsmith_bench}
OUT=${OUT:-/tmp/rowsmith-bench}
mkdir -p "$OUT" "$(dirname "$DATA")"
if [ ! -f "$DATA" ]; then
    python3 "${GEN:-$(dirname "$0")/../../shared/bench/gen.py}" 10000000 --utf8 -o "$DATA"
fi
[ -x "$BENCH" ] || { echo "build first: $BENCH missing" >&2; exit 1; }
export LC_ALL=C

median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
now() { date +%s.%N; }

# wall NAME CMD...: median whole-process seconds of RUNS runs (after one warm-up).
wall() {
    local name=$1; shift
    "$@" >/dev/null 2>&1 || true
    for _ in $(seq "$RUNS"); do
        local t0 t1
        t0=$(now); "$@" >/dev/null 2>&1; t1=$(now)
        echo "$t1 - $t0" | bc -l
    done | median
}

# ours CMD: median whole, load and operation seconds of RUNS runs.
ours() {
    local cmd=$1 out="$OUT/dialogs-$1.out" log="$OUT/dialogs-$1.log"
    : >"$log"
    "$BENCH" "$cmd" "$DATA" "$out" 2>/dev/null
    local whole=()
    for _ in $(seq "$RUNS"); do
        local t0 t1
        t0=$(now); "$BENCH" "$cmd" "$DATA" "$out" 2>>"$log"; t1=$(now)
        whole+=("$(echo "$t1 - $t0" | bc -l)")
    done
    W=$(printf '%s\n' "${whole[@]}" | median)
    L=$(grep -o 'load_s=[0-9.]*' "$log" | cut -d= -f2 | median)
    O=$(grep -o 'op_s=[0-9.]*' "$log" | cut -d= -f2 | median)
}

CAT=$(wall cat sh -c "cat '$DATA' > '$OUT/dialogs-cat.out'")
echo "data: $DATA ($(stat -c %s "$DATA") bytes, $(wc -l <"$DATA") rows), $RUNS runs, medians"
echo "cat f > out: ${CAT}s"
printf '%-14s %8s %8s %8s %9s %-28s %8s %9s\n' command whole_s load_s op_s op/cat tool tool_s op/tool

row() {
    local cmd=$1 toolname=$2; shift 2
    ours "$cmd"
    local T
    T=$(wall "$toolname" "$@")
    printf '%-14s %8.3f %8.3f %8.3f %9.2f %-28s %8.3f %9.2f\n' "$cmd" "$W" "$L" "$O" \
        "$(echo "$O / $CAT" | bc -l)" "$toolname" "$T" "$(echo "$O / $T" | bc -l)"
}

row insert "awk insert" sh -c "awk '{ if (length(\$0) >= 10) print \"<\" substr(\$0,1,10) \"|\" substr(\$0,11) \">\"; else print \"<\" \$0 \">\" }' '$DATA' > '$OUT/dialogs-tool.out'"
row delete-pos "cut --complement -c3-8" sh -c "cut --complement -c3-8 '$DATA' > '$OUT/dialogs-tool.out'"
row remove-key "awk two-pass key count" sh -c "awk 'NR==FNR { if (length(\$0) >= 6) n[substr(\$0,1,6)]++; next } length(\$0) < 6 || n[substr(\$0,1,6)] == 1' '$DATA' '$DATA' > '$OUT/dialogs-tool.out'"
row extract-pos "cut -c3-8" sh -c "cut -c3-8 '$DATA' > '$OUT/dialogs-tool.out'"
row extract-words "awk words" sh -c "awk '{ for (i = 1; i <= NF; i++) print \$i }' '$DATA' > '$OUT/dialogs-tool.out'"
