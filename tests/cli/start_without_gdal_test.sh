#!/usr/bin/env bash
# GDAL is loaded only when elevation data is read: neither program links it,
# the command line runs in 150 MB of address space, and where the elevation
# reader cannot be had, asking for elevation data says so and nothing else
# changes.
set -uo pipefail
calc=$1
window=$2
failed=0
fail() { echo "$*"; failed=1; }

# grep reads ldd's whole answer (no -q): with pipefail, a grep that stops at
# its first match fails the pipe by ldd's SIGPIPE.
for program in "$calc" "$window"; do
    ldd "$program" | grep -i gdal >/dev/null && fail "$(basename "$program") links GDAL at start"
done
# AddressSanitizer reserves terabytes of address space: a sanitized build is not measured so.
if ! ldd "$calc" | grep libasan >/dev/null; then
    (ulimit -v 150000 && "$calc" vswr >/dev/null) || fail "zandrevio-calc vswr does not run under ulimit -v 150000"
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
out=$(ZANDREVIO_DEM_MODULE=/nonexistent/zandrevio_dem.so "$calc" path --dem "$scratch/a.tif" --from 45,6 \
    --to 45.1,6.1 2>&1)
status=$?
[ "$status" = 1 ] || fail "without the elevation reader: exit $status, not 1"
case $out in
*"elevation reader zandrevio_dem.so was not found"*) ;;
*) fail "without the elevation reader: $out" ;;
esac
ZANDREVIO_DEM_MODULE=/nonexistent/zandrevio_dem.so "$calc" vswr >/dev/null ||
    fail "without the elevation reader, vswr fails too"
printf 'not a module' >"$scratch/zandrevio_dem.so"
out=$(ZANDREVIO_DEM_MODULE=$scratch/zandrevio_dem.so "$calc" path --dem "$scratch/a.tif" --from 45,6 \
    --to 45.1,6.1 2>&1)
case $out in
*"levation data needs GDAL, which could not be loaded"*) ;;
*) fail "with a broken elevation reader: $out" ;;
esac
exit $failed
