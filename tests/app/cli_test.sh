#!/usr/bin/env bash
# The program's command line, run with no display at all: a window system
# touched on the way would make the program abort instead of answering.
#   cli_test.sh PROGRAM VERSION
set -uo pipefail
program=$1 version=$2
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0

# arguments | exit status | stream that carries the text | text expected at its start
cases=(
    "--version|0|out|korvell $version"
    "-v|0|out|korvell $version"
    "--help|0|out|Usage: korvell [--help | --version]"
    "-h|0|out|Usage: korvell"
    "--help --version|0|out|Usage: korvell"
    "--bogus|2|err|korvell: Unknown option 'bogus'"
    "-x|2|err|korvell: Unknown option 'x'"
    "pool.txt|2|err|korvell: unexpected argument 'pool.txt'"
    "--version extra|2|err|korvell: unexpected argument 'extra'"
    "--help=all|2|err|korvell: Unexpected value after '--help'"
)
for c in "${cases[@]}"; do
    IFS='|' read -r args want_status stream want_text <<<"$c"
    # shellcheck disable=SC2086
    "$program" $args >out.txt 2>err.txt
    status=$?
    other=err
    [[ $stream == err ]] && other=out
    problem=
    if ((status != want_status)); then
        problem="exit status $status, expected $want_status"
    elif [[ $(head -c ${#want_text} "$stream.txt") != "$want_text" ]]; then
        problem="std$stream does not start with '$want_text'"
    elif [[ -s $other.txt ]]; then
        problem="unexpected text on std$other"
    elif ((want_status == 2)) && ! grep -q '^Usage: korvell' err.txt; then
        problem="no usage text on stderr"
    fi
    if [[ -n $problem ]]; then
        echo "FAIL korvell $args: $problem"
        sed 's/^/  stdout: /' out.txt
        sed 's/^/  stderr: /' err.txt
        failures=$((failures + 1))
    fi
done
rm -f out.txt err.txt
((failures == 0)) && echo "all ${#cases[@]} command lines answered as expected"
exit $((failures > 0))
