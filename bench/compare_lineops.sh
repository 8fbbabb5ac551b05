#!/usr/bin/env bash
# Times the line operations against `cat f > out` and the nearest GNU tool, whole process,
# median of RUNS runs. remove-lines is also shown with the removal alone (rows already loaded
# into a RowList), measured inside the process.
#
#   bench/compare_lineops.sh            (from the repository root, after building)
#   DATA=/path/file.txt RUNS=5 OUT=/dev/shm/out.txt TEXT=Smith ONLY="sum tally" bench/compare_lineops.sh
set -euo pipefail
cd "$(dirname "$0")/.."

DATA=${DATA:-/tmp/rowsmith-bench/big.txt}
OUT=${OUT:-$(dirname "$DATA")/out.txt}
RUNS=${RUNS:-3}
TEXT=${TEXT:-Smith}
BENCH=${BENCH:-build/bench/rowsmith_bench}

if [[ ! -f $DATA ]]; then
    mkdir -p "$(dirname "$DATA")"
    python3 "${GEN:-$(dirname "$0")/../../shared/bench/gen.py}" 10000000 --utf8 -o "$DATA"
fi
[[ -x $BENCH ]] || { echo "build $BENCH first" >&2; exit 1; }

ROWS=$(wc -l < "$DATA")
export LC_ALL=C

# Seconds taken by one run of the shell command in $1; its stderr goes to $OUT.err.
elapsed() {
    local t0 t1
    t0=$(date +%s.%N)
    bash -c "$1" 2> "$OUT.err" > /dev/null
    t1=$(date +%s.%N)
    awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.4f\n", b - a }'
}

median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }

ALL="trim ltrim rtrim upper lower count remove-blank wordcount sum tally remove-everywhere remove-lines"
read -r -a NAMES <<< "${ONLY:-$ALL}"
declare -A TOOL=(
    [trim]="sed 's/^[[:space:]]*//;s/[[:space:]]*\$//' '$DATA' > '$OUT'"
    [ltrim]="sed 's/^[[:space:]]*//' '$DATA' > '$OUT'"
    [rtrim]="sed 's/[[:space:]]*\$//' '$DATA' > '$OUT'"
    [upper]="tr a-z A-Z < '$DATA' > '$OUT'"
    [lower]="tr A-Z a-z < '$DATA' > '$OUT'"
    [count]="awk '{print NR\") \"\$0}' '$DATA' > '$OUT'"
    [remove-blank]="grep -v '^[[:space:]]*\$' '$DATA' > '$OUT'"
    [wordcount]="wc -w < '$DATA' > '$OUT'"
    [sum]="awk '{gsub(/[\$,]/, \"\"); s += \$0} END {print s}' '$DATA' > '$OUT'"
    [tally]="grep -o -i -F '$TEXT' '$DATA' | wc -l > '$OUT'"
    [remove-everywhere]="sed 's/$TEXT//g' '$DATA' > '$OUT'"
    [remove-lines]="grep -v -F '$TEXT' '$DATA' > '$OUT'"
)
declare -A TOOLNAME=([trim]="sed" [ltrim]="sed" [rtrim]="sed" [upper]="tr" [lower]="tr" [count]="awk"
    [remove-blank]="grep -v" [wordcount]="wc -w" [sum]="awk" [tally]="grep -o|wc" [remove-everywhere]="sed"
    [remove-lines]="grep -v -F")

echo "data: $DATA ($(stat -c %s "$DATA") bytes, $ROWS rows); output: $OUT; median of $RUNS runs"
printf '%-18s %8s %8s %7s  %-11s %8s %7s\n' command ours_s cat_s x_cat tool tool_s x_tool
for name in "${NAMES[@]}"; do
    case $name in
        tally | remove-everywhere) ours="'$BENCH' $name '$DATA' '$OUT' '$TEXT' --rows=$ROWS" ;;
        remove-lines) ours="'$BENCH' $name '$DATA' '$OUT' '$TEXT'" ;;
        *) ours="'$BENCH' $name '$DATA' '$OUT' --rows=$ROWS" ;;
    esac
    o=() c=() t=() op=()
    for ((r = 0; r < RUNS; r++)); do
        o+=("$(elapsed "$ours")")
        if [[ $name == remove-lines ]]; then op+=("$(sed -n 's/.*op_seconds=\([0-9.]*\).*/\1/p' "$OUT.err")"); fi
        c+=("$(elapsed "cat '$DATA' > '$OUT'")")
        t+=("$(elapsed "${TOOL[$name]}")")
    done
    mo=$(median "${o[@]}") mc=$(median "${c[@]}") mt=$(median "${t[@]}")
    printf '%-18s %8.3f %8.3f %7s  %-11s %8.3f %7s\n' "$name" "$mo" "$mc" "$(ratio "$mo" "$mc")" \
        "${TOOLNAME[$name]}" "$mt" "$(ratio "$mo" "$mt")"
    if [[ $name == remove-lines ]]; then
        mop=$(median "${op[@]}")
        printf '%-18s %8.3f %8.3f %7s  (removal alone, rows already in a RowList)\n' "  removal only" "$mop" "$mc" \
            "$(ratio "$mop" "$mc")"
    fi
done
rm -f "$OUT" "$OUT.err"
