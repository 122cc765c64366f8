#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that a desktop finds
# the program, its entry and its icon, and that the entry is valid.
set -euo pipefail
build=$1
source=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/zandrevio"
desktop-file-validate "$prefix/share/applications/zandrevio.desktop"
grep -qx 'Icon=zandrevio' "$prefix/share/applications/zandrevio.desktop"
for side in 16 32 48 64 128 256; do
    test -s "$prefix/share/icons/hicolor/${side}x${side}/apps/zandrevio.png"
done
test -x "$prefix/bin/zandrevio-calc"
test "$("$prefix/bin/zandrevio-calc" --version)" = "zandrevio-calc 1.04"
test -s "$prefix/share/man/man1/zandrevio-calc.1"
completion="$prefix/share/bash-completion/completions/zandrevio-calc"
bash -n "$completion"
# What the completion offers after the words given, the last being the one typed.
offers() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _zandrevio_calc; echo "${COMPREPLY[*]}"' \
        _ "$completion" zandrevio-calc "$@"
}
test "$(offers path-loss --model hata --area '')" = "medium-city large-city suburban open"
test "$(offers path-loss --model=COST-231 --area '')" = "medium-city suburban metropolitan"
test "$(offers cell-range --area m)" = "medium-city metropolitan"
test "$(offers traffic --model e)" = "erlang-b erlang-c"
cmp "$source/data/zandrevio.desktop" "$prefix/share/applications/zandrevio.desktop"
echo "installed and valid"
