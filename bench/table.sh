#!/usr/bin/env bash
# Prints one table of every operation on a generated file of business-like rows: each
# operation's whole-process time and peak memory, the copy limit (`cat f > out`), a GNU peer
# doing comparable work, and both ratios. Medians of RUNS runs, taken in turn with the
# peer's; peak memory is that of the largest process of a run (GNU time's %M).
#
#   bash scripts/setup.sh && bench/table.sh
#   ROWS=1000000 RUNS=5 ONLY="trim dups-all compare" bench/table.sh
#
# Operations on the input file run through the real main window (rowsmith_window_bench:
# load, dispatch, the operation and its results file); the file tools, the template builder
# and the plain read use rowsmith_bench. Each run works in a fresh folder, removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

ROWS=${ROWS:-10000000}
RUNS=${RUNS:-3}
ONLY=${ONLY:-}
BENCH=$PWD/build/bench/rowsmith_bench
WINDOW=$PWD/build/bench/rowsmith_window_bench
for tool in "$BENCH" "$WINDOW" /usr/bin/time; do
    [[ -x $tool ]] || { echo "missing $tool: run bash scripts/setup.sh first" >&2; exit 1; }
done

RUN=$(mktemp -d "${TMPDIR:-/tmp}/rowsmith-table-XXXXXX")
trap 'rm -rf "$RUN"' EXIT
export LC_ALL=C XDG_DATA_HOME=$RUN/work
mkdir -p "$XDG_DATA_HOME" "$RUN/folder"
D=$RUN/data.txt D2=$RUN/data2.txt O=$RUN/out.txt
echo "generating $ROWS rows twice in $RUN ..." >&2
python3 bench/gen_rows.py "$ROWS" --utf8 -o "$D"
python3 bench/gen_rows.py "$ROWS" --utf8 --seed 7 -o "$D2"
ln "$D" "$RUN/folder/data.txt"
# Split writes a file at every change of its key, so it gets the rows sorted on the key.
mkdir -p "$RUN/split"
sort -s -k1.1,1.2 "$D" >"$RUN/split/sorted.txt"

# One timed run: wall seconds and peak KiB, or "failed". What earlier runs wrote is removed
# first, outside the time: writing over a large file costs more than writing a new one.
timed() {
    rm -f "$O" "$RUN"/*.s "$XDG_DATA_HOME"/Rowsmith/Results.txt "$XDG_DATA_HOME"/new_* "$RUN"/split/File* \
        "$RUN"/split/awk*
    local t0=$EPOCHREALTIME
    if /usr/bin/time -f '%M' -o "$RUN/time" "$@" >/dev/null 2>"$RUN/stderr"; then
        echo "$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f", b - a }') $(tail -n 1 "$RUN/time")"
    else
        echo failed
    fi
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The copy limit for one and for two files.
copy_limit() {
    for ((r = 0; r < RUNS; r++)); do timed sh -c "cat $*" >"$RUN/t.$r" || true; done
    for ((r = 0; r < RUNS; r++)); do cut -d' ' -f1 "$RUN/t.$r"; done | median
}
CAT1=$(copy_limit "'$D' > '$O'")
CAT2=$(copy_limit "'$D' '$D2' > '$O'")

printf '%s rows, %s bytes; median of %s runs; cat f > out %.3f s, both files %.3f s\n' \
    "$ROWS" "$(stat -c %s "$D")" "$RUNS" "$CAT1" "$CAT2"
printf '%-17s %8s %8s %7s  %-34s %8s %8s %7s\n' operation ours_s ours_MiB x_cat "GNU peer" peer_s peer_MiB x_peer

# row NAME FILES "PEER NAME" "PEER SHELL COMMAND" OURS-ARGV...: FILES (1 or 2) picks the copy limit.
row() {
    local name=$1 files=$2 peer=$3 peercmd=$4
    shift 4
    if [[ -n $ONLY && " $ONLY " != *" $name "* ]]; then return; fi
    local ours=() theirs=() r
    for ((r = 0; r < RUNS; r++)); do
        ours+=("$(timed "$@")")
        theirs+=("$(timed sh -c "$peercmd")")
    done
    if printf '%s\n' "${ours[@]}" "${theirs[@]}" | grep -q failed; then
        printf '%-17s failed: %s\n' "$name" "$(tail -n 3 "$RUN/stderr" | tr '\n' ' ')"
        return
    fi
    local os om ps pm cat=$CAT1
    [[ $files == 2 ]] && cat=$CAT2
    os=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f1 | median)
    om=$(printf '%s\n' "${ours[@]}" | cut -d' ' -f2 | median)
    ps=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f1 | median)
    pm=$(printf '%s\n' "${theirs[@]}" | cut -d' ' -f2 | median)
    awk -v n="$name" -v os="$os" -v om="$om" -v c="$cat" -v p="$peer" -v ps="$ps" -v pm="$pm" 'BEGIN {
        printf "%-17s %8.3f %8.0f %7.2f  %-34s %8.3f %8.0f %7.2f\n", n, os, om / 1024, os / c, p, ps, pm / 1024,
            os / ps }'
}

entry() { # the operation list's entries, as the main window shows them
    case $1 in
        trim) echo "TRIM BOTH      - Trim spaces from beginning and end of all rows" ;;
        ltrim) echo "TRIM LEFT      - Remove spaces from beginning of all rows" ;;
        rtrim) echo "TRIM RIGHT     - Remove spaces from the end of all rows" ;;
        upper) echo "CASE UPPERCASE - Change all to upper case" ;;
        lower) echo "CASE LOWERCASE - Change all to lower case" ;;
        number) echo "VIEW NUMBER    - View row number on each line" ;;
        stats) echo "VIEW ALL       - Gather statistics" ;;
        finder) echo "VIEW           - Byte position counter" ;;
        blank) echo "REMOVE         - Remove all blank rows" ;;
        words) echo "COUNT          - Count total words" ;;
        tally) echo "COUNT          - Count total occurrances of any string" ;;
        sum) echo "SUM            - Sum numeric numbers (Whole and decimal breakdown)" ;;
        everywhere) echo "REMOVE         - Remove strings from all locations" ;;
        rows) echo "REMOVE         - Remove rows if a string you enter is found" ;;
        insert) echo "INSERT         - Insert strings into rows" ;;
        remove) echo "REMOVE         - Remove strings or delete various rows" ;;
        extract) echo "EXTRACT        - Extract strings or rows " ;;
        dups) echo "DUPLICATES     - Extract, consolidate, or eliminate duplicates" ;;
    esac
}

row read 1 "wc -l" "wc -l '$D'" "$BENCH" read "$D"
row finder 1 "wc -l" "wc -l '$D'" "$WINDOW" "$(entry finder)" "$D"
row stats 1 "wc -lcL" "wc -lcL '$D' > '$O'" "$WINDOW" "$(entry stats)" "$D"
row trim 1 "sed both ends" "sed 's/^[[:space:]]*//;s/[[:space:]]*\$//' '$D' > '$O'" "$WINDOW" "$(entry trim)" "$D"
row ltrim 1 "sed start" "sed 's/^[[:space:]]*//' '$D' > '$O'" "$WINDOW" "$(entry ltrim)" "$D"
row rtrim 1 "sed end" "sed 's/[[:space:]]*\$//' '$D' > '$O'" "$WINDOW" "$(entry rtrim)" "$D"
row upper 1 "tr a-z A-Z" "tr a-z A-Z < '$D' > '$O'" "$WINDOW" "$(entry upper)" "$D"
row lower 1 "tr A-Z a-z" "tr A-Z a-z < '$D' > '$O'" "$WINDOW" "$(entry lower)" "$D"
row number 1 "awk NR" "awk '{ print NR \") \" \$0 }' '$D' > '$O'" "$WINDOW" "$(entry number)" "$D"
row blank 1 "grep -v blank" "grep -v '^[[:space:]]*\$' '$D' > '$O'" "$WINDOW" "$(entry blank)" "$D"
row words 1 "wc -w" "wc -w '$D'" "$WINDOW" "$(entry words)" "$D"
row tally 1 "grep -o -i -F | wc -l" "grep -o -i -F Smith '$D' | wc -l" "$WINDOW" "$(entry tally)" "$D" Smith
row sum 1 "awk sum" "awk '{ gsub(/[\$,]/, \"\"); s += \$0 } END { print s }' '$D'" "$WINDOW" "$(entry sum)" "$D"
row everywhere 1 "sed s/Smith//g" "sed 's/Smith//g' '$D' > '$O'" "$WINDOW" "$(entry everywhere)" "$D" Smith
row rows 1 "grep -v -F" "grep -v -F Smith '$D' > '$O'" "$WINDOW" "$(entry rows)" "$D" Smith
row insert 1 "awk insert" \
    "awk '{ print \"<\" substr(\$0, 1, 10) \"|\" substr(\$0, 11) \">\" }' '$D' > '$O'" \
    "$WINDOW" "$(entry insert)" "$D" "EdString=|" SpinPosition=10 "EdBeg=<" "EdEnd=>" +CmdCreate
row delete-pos 1 "cut --complement -c3-8" "cut --complement -c3-8 '$D' > '$O'" \
    "$WINDOW" "$(entry remove)" "$D" Spin1=3 Spin2=8 +CmdCreate
row remove-key 1 "awk two-pass key count" \
    "awk 'NR == FNR { if (length(\$0) >= 6) n[substr(\$0, 1, 6)]++; next } length(\$0) < 6 || n[substr(\$0, 1, 6)] == 1' '$D' '$D' > '$O'" \
    "$WINDOW" "$(entry remove)" "$D" Spin1=1 Spin2=6 ChkDups=1 +CmdCreate
row extract-pos 1 "cut -c3-8" "cut -c3-8 '$D' > '$O'" \
    "$WINDOW" "$(entry extract)" "$D" RadPositions=1 Spin1=3 Spin2=8 +CmdCreate
row extract-starts 1 "awk index+substr" \
    "awk '{ p = index(\$0, \"INV-\"); if (p) print substr(\$0, p, 11) }' '$D' > '$O'" \
    "$WINDOW" "$(entry extract)" "$D" RadString=1 EdStringIn=INV- Spin3=11 +CmdCreate
row extract-between 1 "awk index twice" \
    "awk '{ p = index(\$0, \"INV-\"); if (p) { r = substr(\$0, p); q = index(r, \" \"); if (q) print substr(r, 1, q) } }' '$D' > '$O'" \
    "$WINDOW" "$(entry extract)" "$D" RadStringBetween=1 EdString1=INV- "EdString2= " +CmdCreate
row extract-contains 1 "grep -F" "grep -F Smith '$D' > '$O'" \
    "$WINDOW" "$(entry extract)" "$D" RadStrExists=1 EdStrExists=Smith +CmdCreate
row extract-at 1 "awk index ==" "awk 'index(\$0, \"Smith\") == 13' '$D' > '$O'" \
    "$WINDOW" "$(entry extract)" "$D" RadStringByte=1 EdStringByte=Smith SpinStringByte=13 +CmdCreate
row extract-words 1 "awk words" "awk '{ for (i = 1; i <= NF; i++) print \$i }' '$D' > '$O'" \
    "$WINDOW" "$(entry extract)" "$D" RadExtractWords=1 +CmdCreate
row dups-dups 1 "sort -s -k1.1,1.6 | uniq -w6 -D" "sort -s -k1.1,1.6 '$D' | uniq -w6 -D > '$O'" \
    "$WINDOW" "$(entry dups)" "$D" Spin1=1 Spin2=6 RadOnlyDups=1 +CmdCreate
row dups-unique 1 "sort -s -k1.1,1.6 | uniq -w6 -u" "sort -s -k1.1,1.6 '$D' | uniq -w6 -u > '$O'" \
    "$WINDOW" "$(entry dups)" "$D" Spin1=1 Spin2=6 RadNoDups=1 +CmdCreate
row dups-one 1 "sort -s -k1.1,1.6 | uniq -w6" "sort -s -k1.1,1.6 '$D' | uniq -w6 > '$O'" \
    "$WINDOW" "$(entry dups)" "$D" Spin1=1 Spin2=6 RadAll1Dups=1 +CmdCreate
SORT2="sort '$D' > '$RUN/a.s'; sort '$D2' > '$RUN/b.s'; comm -3 '$RUN/a.s' '$RUN/b.s' > '$O'"
row compare 2 "sort; sort; comm -3" "$SORT2" \
    "$WINDOW" FrmMerge "$D" "@$D2" +CmdSelect1 +CmdSelect2 +CmdCompare
row merge-match 2 "sort; sort; comm -3" "$SORT2" \
    "$WINDOW" FrmMerge "$D" "@$D2" Spin1=1 Spin2=6 Spin3=1 Spin4=6 +CmdSelect1 +CmdSelect2 +CmdMerge
row merge-mismatch 2 "sort; sort; comm -3" "$SORT2" \
    "$WINDOW" FrmMerge "$D" "@$D2" Spin1=1 Spin2=6 Spin3=1 Spin4=6 RadMismatch=1 RadBoth=1 +CmdSelect1 \
    +CmdSelect2 +CmdMerge
row template 1 "awk two lines a row" \
    "awk '{ print \"Account: \" \$0; print \"Please check the statement above.\" }' '$D' > '$O'" \
    "$BENCH" template "$D" "$O"
# A long template over the first TEMPLATE_ROWS rows (4,500: about 1 GB written): 2,000 lines, the
# key once in most of them, twice in some, not at all in others.
TEMPLATE_ROWS=${TEMPLATE_ROWS:-4500}
awk 'BEGIN { for (i = 1; i <= 2000; i++)
    if (i % 4 == 0) print "Clause " i ": the terms above apply to every account."
    else if (i % 4 == 3) print "Line " i ": #KEY# / #KEY#"
    else print "Line " i " of the statement for #KEY#, please check." }' >"$RUN/template.txt"
head -n "$TEMPLATE_ROWS" "$D" >"$RUN/filler.txt"
row template-big 1 "awk pieces joined by each row" \
    "awk -v ORS='\r\n' 'NR == FNR { n[NR] = split(\$0, p, \"#KEY#\"); for (k = 1; k <= n[NR]; k++) t[NR, k] = p[k]; lines = NR; next } { for (i = 1; i <= lines; i++) { s = t[i, 1]; for (k = 2; k <= n[i]; k++) s = s \$0 t[i, k]; print s } }' '$RUN/template.txt' '$RUN/filler.txt' > '$O'" \
    "$BENCH" template "$RUN/filler.txt" "$O" "$RUN/template.txt"
row bulk-insert 1 "sed /Smith/a" "sed '/Smith/a INSERTED' '$D' > '$O'" \
    "$BENCH" bulk-insert "$RUN/folder" "$RUN/work"
row combine 2 "cat a b > out" "cat '$D' '$D2' > '$O'" "$BENCH" combine "$O" "$D" "$D2"
row split 1 "awk new file a key" \
    "cd '$RUN/split' && awk '{ k = substr(\$0, 1, 2) } NR == 1 || k != last { close(f); f = \"awk\" ++n \".txt\"; last = k } { print > f }' sorted.txt" \
    "$BENCH" split "$RUN/split/sorted.txt" 1 2
