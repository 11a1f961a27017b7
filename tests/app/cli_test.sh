#!/usr/bin/env bash
# A program's command line, run with no display at all: a window system
# touched on the way would make the program abort instead of answering.
#   cli_test.sh PROGRAM VERSION      (korvell or korvell-pool)
set -uo pipefail
program=$1 version=$2
name=$(basename "$program") data=$(dirname "$program")
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
# Study records for --progress: a text file and a small sound record.
corpus=$(dirname "$0")/../../fuzz/corpus/record
printf 'Notes\n' >"$work/text.korvell"
cp "$corpus/few.korvell" "$work/few.korvell"

# arguments | exit status | stream that carries the text | the start of its first
# line (nothing: the stream is empty)
# A usage error (status 2) also says "Try 'PROGRAM --help'." on its second line.
case $name in
korvell)
    cases=(
        "--version|0|out|korvell $version"
        "-v|0|out|korvell $version"
        "--help|0|out|Usage: korvell"
        "-h|0|out|Usage: korvell"
        "-hv|0|out|Usage: korvell"
        "--bogus|2|err|korvell: unknown option '--bogus'"
        "-x|2|err|korvell: unknown option '-x'"
        "pool.txt|2|err|korvell: unexpected argument 'pool.txt'"
        "--version extra|2|err|korvell: unexpected argument 'extra'"
        "-- x|2|err|korvell: unexpected argument 'x'"
        "-- --version|2|err|korvell: unexpected argument '--version'"
        "--help=all|2|err|korvell: option '--help' takes no value"
        "--print-test|2|err|korvell: option '--print-test' needs a value"
        "--print-test=t.pdf --seed=x|2|err|korvell: option '--seed' takes a whole number, not 'x'"
        "--print-test t.pdf --seed -1|2|err|korvell: option '--seed' takes a whole number, not '-1'"
        "--seed=7|2|err|korvell: option '--seed' goes with '--print-test'"
        "--print-test=$work/none/t.pdf|1|err|korvell: $work/none/t.pdf: error: No such file"
        "--print-test=$work/7.pdf --seed=7|0|out|"
        "--print-test $work/7b.pdf --seed 7|0|out|"
        "--print-test=$work/any.pdf|0|out|"
        "--record|2|err|korvell: option '--record' needs a value"
        "--progress|2|err|korvell: option '--progress' needs a value"
        "--record=a --progress=a|2|err|korvell: option '--record' goes with no '--print-test' or"
        "--progress=$work/none.korvell|1|err|korvell: $work/none.korvell: error: no such file"
        "--progress=$work/text.korvell|1|err|korvell: $work/text.korvell: error: not a Korvell study"
        "--progress=$work|1|err|korvell: $work: error: a directory, not a study record"
        "--progress $work/few.korvell|0|out|Record: $work/few.korvell"
    )
    ;;
korvell-pool)
    cases=(
        "--version|0|out|korvell-pool $version"
        "-v|0|out|korvell-pool $version"
        "--help|0|out|Usage: korvell-pool import RELEASE OUTDIR [--study-map FILE]"
        "-h|0|out|Usage: korvell-pool import RELEASE OUTDIR [--study-map FILE]"
        "import --help|0|out|Usage: korvell-pool"
        "check -h|0|out|Usage: korvell-pool"
        "check -- $data|0|out|"
        "|2|err|korvell-pool: no command given"
        "--bogus|2|err|korvell-pool: unknown option '--bogus'"
        "bogus|2|err|korvell-pool: unknown command 'bogus'"
        "-- --help|2|err|korvell-pool: unknown command '--help'"
        "check|2|err|korvell-pool: check: missing DIR"
        "check a b|2|err|korvell-pool: check: unexpected argument 'b'"
        "import r|2|err|korvell-pool: import: missing OUTDIR"
        "import r o --study-map|2|err|korvell-pool: option '--study-map' needs a value"
        "import r o --study-map=m --study-map n|2|err|korvell-pool: option '--study-map' given twice"
        "check d --study-map=m|2|err|korvell-pool: check takes no option '--study-map'"
        "check $work/none|1|err|$work/none: error: no such directory"
        "import --study-map=$work/map $work/r.txt $work/out|1|err|$work/r.txt: error: cannot read the release"
    )
    ;;
esac

for c in "${cases[@]}"; do
    IFS='|' read -r args want_status stream want_text <<<"$c"
    # shellcheck disable=SC2086
    "$program" $args >"$work/out" 2>"$work/err"
    status=$?
    other=err
    [[ $stream == err ]] && other=out
    problem=
    if ((status != want_status)); then
        problem="exit status $status, expected $want_status"
    elif [[ -z $want_text && -s $work/$stream ]]; then
        problem="unexpected text on std$stream"
    elif [[ $(head -1 "$work/$stream") != "$want_text"* ]]; then
        problem="the first line of std$stream does not start with '$want_text'"
    elif [[ -s $work/$other ]]; then
        problem="unexpected text on std$other"
    elif ((want_status == 2)) && [[ $(sed -n '2,$p' "$work/err") != "Try '$name --help'." ]]; then
        problem="stderr does not end in one line \"Try '$name --help'.\""
    fi
    if [[ -n $problem ]]; then
        echo "FAIL $name $args: $problem"
        sed 's/^/  stdout: /' "$work/out"
        sed 's/^/  stderr: /' "$work/err"
        failures=$((failures + 1))
    fi
done

# The summary changes nothing in the record it reads.
cmp -s "$work/few.korvell" "$corpus/few.korvell" && [[ ! -e $work/few.korvell-journal ]] || {
    echo "FAIL korvell --progress changed the record"
    failures=$((failures + 1))
}

# "--" alone ends the options and leaves nothing to answer: the program starts
# (and is still running when it is stopped).
if [[ $name == korvell ]]; then
    QT_QPA_PLATFORM=offscreen timeout 3 "$program" -- >"$work/out" 2>&1
    status=$?
    if ((status != 124)) || grep -q "$version" "$work/out"; then
        echo "FAIL korvell --: exit status $status, expected the program to run"
        failures=$((failures + 1))
    fi
fi
# A practice test: the same number, the same text; each question and its choices as the pool
# holds them, after its number and identifier; the key's letters the pool's; each figure once.
if [[ $name == korvell ]]; then
    bad() { echo "FAIL: $*"; failures=$((failures + 1)); }
    text() { pdftotext "$1" - | tr -s ' \n\f' ' '; }
    all=$(text "$work/7.pdf") figs=() n=0
    [[ $all == "$(text "$work/7b.pdf")" ]] || bad "test number 7 twice differs"
    [[ $all == "Technician Practice Test Test number: 7 Pass mark: 26 of 35 Name: ___"* ]] ||
        bad "page one: ${all:0:80}"
    # Each page's foot names the test and the page, and a bold font is embedded.
    pages=$(pdfinfo "$work/7.pdf" | sed -n 's/^Pages: *//p')
    for ((p = 1; p <= pages; p++)); do
        [[ $(pdftotext -f $p -l $p "$work/7.pdf" - | tr -s ' \n\f' ' ') == *"Test 7, page $p "* ]] ||
            bad "no foot on page $p of $pages"
    done
    ((pages > 1)) && pdffonts "$work/7.pdf" | grep -q 'Bold.*yes' || bad "no bold font embedded"
    while read -r nr id letter; do
        n=$((n + 1))
        body=$(awk -v id="$id" 'f && /^~/ {exit} f; index($0, id " (") == 1 {f = 1; print > "/dev/stderr"}' \
            "$data/Tech_Pool.txt" 2>"$work/head" | tr -s ' \r\n' ' ')
        grep -q "($letter)" "$work/head" && [[ $all == *"$nr $id ${body% }"* && $nr == "$n." ]] ||
            bad "question $nr $id $letter"
        fig=$(sed -n 's/.* Fig \([^ ]*\).*/\1/p' "$work/head")
        [[ -n $fig && " ${figs[*]} " != *" $fig "* ]] && figs+=("$fig")
    done < <(pdftotext "$work/7.pdf" - | sed -n '/Answer Key$/,$p' | grep -E '^[0-9]+\. T[0-9][A-Z][0-9]{2} [A-D]$')
    images=$(pdfimages -list "$work/7.pdf" | tail -n +3 | wc -l)
    ((n == 35 && images == ${#figs[@]} && images > 0)) || bad "$n key lines, $images images for ${figs[*]}"
    # Without its pool the program names the pool and leaves no file.
    mkdir "$work/bare" && cp "$program" "$work/bare/"
    "$work/bare/korvell" --print-test="$work/bare.pdf" 2>"$work/err"
    status=$?
    [[ $status == 1 && ! -e $work/bare.pdf &&
        $(cat "$work/err") == "korvell: $work/bare/Tech_Pool.txt: error: No such file or directory" ]] ||
        bad "no pool: status $status, $(cat "$work/err")"
fi
((failures == 0)) && echo "all ${#cases[@]} command lines of $name answered as expected"
exit $((failures > 0))
