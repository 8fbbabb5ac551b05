#!/usr/bin/env bash
# Times the row-store commands of rowsmith_bench on one large file against the Unix tools
# that do the least comparable work, and reports the row list's memory.
#
#   bench/compare.sh                    BENCH, DATA and RUNS may be set in the environment
#
# read, load, prepare are compared with `wc -l FILE`; copy with `cat FILE > OUT`.
set -euo pipefail

BENCH=${BENCH:-build/bench/rowsmith_bench}
DATA=${DATA:-/tmp/rowsmith-bench/big.txt}
RUNS=${RUNS:-5}

if [ ! -x "$BENCH" ]; then
    echo "no benchmark executable at $BENCH (build first, or set BENCH)" >&2
    exit 1
fi
if [ ! -f "$DATA" ]; then
    mkdir -p "$(dirname "$DATA")"
    # Written under a temporary name so that a half-written file is never taken for data.
    tmp=$(mktemp "$DATA.XXXXXX")
    python3 "${GEN:-$(dirname "$0")/../../shared/bench/gen.py}" 10000000 --utf8 -o "$tmp"
    mv "$tmp" "$DATA"
fi

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
OUT="$WORK/out.txt"

# Median wall time in seconds of RUNS runs of a command line, after one warm-up run.
median() {
    local cmd=$1 times=() start end i
    eval "$cmd" >/dev/null 2>&1
    for ((i = 0; i < RUNS; i++)); do
        start=$(date +%s%N)
        eval "$cmd" >/dev/null 2>&1
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$RUNS" 'NR == int((n + 1) / 2) { printf "%.3f", $1 / 1e6 }'
}

size=$(stat -c %s "$DATA")
rows=$(wc -l <"$DATA")
echo "data: $DATA, $size bytes, $rows line ends; median of $RUNS runs"

wc_s=$(median "wc -l '$DATA'")
cat_s=$(median "cat '$DATA' > '$OUT'")

printf '\n%-8s %9s   %-16s %9s %7s   %s\n' command seconds "against" seconds ratio target
row() {
    local name=$1 secs=$2 base=$3 base_s=$4 target=$5
    awk -v n="$name" -v s="$secs" -v b="$base" -v bs="$base_s" -v t="$target" \
        'BEGIN { r = s / bs; printf "%-8s %9.3f   %-16s %9.3f %7.2f   <= %s %s\n", n, s, b, bs, r, t, (r <= t ? "met" : "MISSED") }'
}
row read "$(median "'$BENCH' read '$DATA'")" "wc -l" "$wc_s" 2.5
row copy "$(median "'$BENCH' copy '$DATA' '$OUT'")" "cat f > out" "$cat_s" 1.5
row load "$(median "'$BENCH' load '$DATA'")" "wc -l" "$wc_s" 5
row prepare "$(median "'$BENCH' prepare '$DATA'")" "wc -l" "$wc_s" 2.5

# Memory of the row list as the read command reports it.
stats=$("$BENCH" read "$DATA" 2>&1 >/dev/null | grep '^rows=')
mem=$(sed -E 's/.*memory=([0-9]+).*/\1/' <<<"$stats")
nrows=$(sed -E 's/^rows=([0-9]+).*/\1/' <<<"$stats")
awk -v m="$mem" -v f="$size" -v n="$nrows" 'BEGIN {
    limit = 1.25 * f + 8 * n
    printf "\nrow list memory: %d bytes = %.3f x file size, %.1f bytes a row (%d rows); limit 1.25 x size + 8 a row = %d: %s\n",
        m, m / f, m / n, n, limit, (m <= limit ? "met" : "MISSED")
}'
