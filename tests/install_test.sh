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
bash -n "$prefix/share/bash-completion/completions/zandrevio-calc"
cmp "$source/data/zandrevio.desktop" "$prefix/share/applications/zandrevio.desktop"
echo "installed and valid"
