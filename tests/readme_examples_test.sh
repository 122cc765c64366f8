#!/usr/bin/env bash
# Runs every command of the README's console blocks ("$ " lines) from the
# source folder with the built zandrevio-calc first on the PATH, and compares
# what it prints (both streams, line ends without CR) with the lines below it.
set -uo pipefail
build=$1
source=$2
failed=0
checked=0
command=""
expected=""

check() {
    [ -n "$command" ] || return 0
    local actual
    actual=$(cd "$source" && PATH="$build/src:$PATH" bash -c "$command" 2>&1 | tr -d '\r')
    if [ "$actual" != "${expected%$'\n'}" ]; then
        echo "README example differs: \$ $command"
        diff <(printf '%s\n' "${expected%$'\n'}") <(printf '%s\n' "$actual")
        failed=1
    fi
    checked=$((checked + 1))
    command=""
    expected=""
}

inside=0
while IFS= read -r line; do
    if [ "$inside" = 0 ]; then
        [ "$line" = '```console' ] && inside=1
        continue
    fi
    if [ "$line" = '```' ]; then
        check
        inside=0
    elif [ "${line:0:2}" = '$ ' ]; then
        check
        command=${line:2}
    else
        expected+="$line"$'\n'
    fi
done <"$source/README.md"

echo "$checked README examples checked"
[ "$checked" -gt 0 ] && [ "$failed" = 0 ]
