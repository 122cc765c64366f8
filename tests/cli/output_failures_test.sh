#!/usr/bin/env bash
# Output that cannot be written is never lost in silence: a full disk, a
# closed pipe with SIGPIPE ignored and a spool that cannot grow each end with
# a message and exit status 1; a closed pipe with the default SIGPIPE ends
# quietly.
set -uo pipefail
calc=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

expect() { # what, status wanted, status got, stderr file, message wanted
    if [ "$3" != "$2" ] || ! grep -qxF "$5" "$4"; then
        echo "FAILED: $1: status $3 (wanted $2), stderr:"
        cat "$4"
        failures=$((failures + 1))
    fi
}

rows() { # a header and N rows of a batch
    echo "calculation,traffic,gos"
    for ((i = 0; i < $1; i++)); do echo "traffic,9,0.02"; done
}

"$calc" traffic --channels 15 --gos 0.01 >/dev/full 2>"$scratch/err"
expect "a result to /dev/full" 1 $? "$scratch/err" "zandrevio-calc: write error: No space left on device"

rows 20000 >"$scratch/rows.csv"
"$calc" batch "$scratch/rows.csv" >/dev/full 2>"$scratch/err"
expect "a batch to /dev/full" 1 $? "$scratch/err" "zandrevio-calc: write error: No space left on device"

(
    trap '' PIPE
    "$calc" table erlang-b --channels 1-3000 2>"$scratch/err" | head -c 10 >/dev/null
    exit "${PIPESTATUS[0]}"
)
expect "a closed pipe, SIGPIPE ignored" 1 $? "$scratch/err" "zandrevio-calc: write error: Broken pipe"

"$calc" table erlang-b --channels 1-3000 2>"$scratch/err" | head -c 10 >/dev/null
status=${PIPESTATUS[0]}
if [ "$status" != 141 ] || [ -s "$scratch/err" ]; then
    echo "FAILED: a closed pipe with the default SIGPIPE: status $status"
    failures=$((failures + 1))
fi

# The spool of the standard input lives in $TMPDIR; there, a file may not
# grow past 1 KiB.
mkdir "$scratch/tmp"
# The input comes through a pipe, which cannot be read twice; the output
# goes to a pipe too, which the file-size limit does not touch.
cat "$scratch/rows.csv" | (
    ulimit -f 1
    trap '' XFSZ
    TMPDIR="$scratch/tmp" exec "$calc" batch - 2>"$scratch/err"
) | cat >"$scratch/out"
expect "a spool that cannot grow" 1 "${PIPESTATUS[1]}" "$scratch/err" \
    "zandrevio-calc: cannot spool the standard input in $scratch/tmp: File too large"
if [ -s "$scratch/out" ]; then
    echo "FAILED: a failed spool wrote output"
    failures=$((failures + 1))
fi
cat "$scratch/rows.csv" | TMPDIR="$scratch/missing" "$calc" batch - >/dev/null 2>"$scratch/err"
expect "a TMPDIR that does not exist" 1 "${PIPESTATUS[1]}" "$scratch/err" \
    "zandrevio-calc: cannot spool the standard input in $scratch/missing: No such file or directory"

# A spooled batch gives every row.
rows 5000 | TMPDIR="$scratch/tmp" "$calc" batch - >"$scratch/out" 2>"$scratch/err"
lines=$(wc -l <"$scratch/out")
if [ "$lines" != 5001 ]; then
    echo "FAILED: a spooled batch gave $lines lines"
    failures=$((failures + 1))
fi

echo "$((9 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
