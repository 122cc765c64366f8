#!/usr/bin/env bash
# The module installs offline both ways the README shows, and imports from
# anywhere: cmake --install (into a staging root here, as a package would)
# and pip install --no-build-isolation into a fresh venv that sees Debian's
# NumPy. No package index is asked.
set -euo pipefail
source_dir=$1
build_dir=$2
python=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check() { # interpreter, then what PYTHONPATH it takes
    (cd "$scratch" && PYTHONPATH=${2:-} "$1" - <<'PY'
import zandrevio, numpy
r = zandrevio.traffic(channels=numpy.arange(1, 4), gos=0.01)
assert zandrevio.format(r.traffic[2], 5) == "0.45549", r
assert zandrevio.__version__ == "1.04"
# The elevation reader is installed beside the module: GDAL answers for a file that is not there.
try:
    zandrevio.path(dem="no-such.tif", from_="45,6", to="45.1,6.1")
except zandrevio.Refused as refused:
    assert "GDAL cannot open" in str(refused), refused
print(zandrevio.__file__)
PY
    )
}

DESTDIR="$scratch/root" cmake --install "$build_dir" --component python >/dev/null
site=$("$python" -c 'import sysconfig; print(sysconfig.get_path("platlib"))')
installed=$(check "$python" "$scratch/root$site")
case $installed in "$scratch/root$site/zandrevio/"*) ;; *) echo "cmake --install: imported $installed" >&2; exit 1 ;; esac

# pip builds outside the source tree: it holds the same files after as before.
listing() { (cd "$source_dir" && find . -path ./build -prune -o -path './build-*' -prune -o -path ./.git -prune \
    -o -print | sort); }
before=$(listing)
"$python" -m venv --system-site-packages "$scratch/venv"
PIP_NO_INDEX=1 PIP_DISABLE_PIP_VERSION_CHECK=1 "$scratch/venv/bin/pip" install -q --no-build-isolation "$source_dir"
if [ "$(listing)" != "$before" ]; then
    echo "pip install wrote into the source tree:" >&2
    diff <(printf '%s\n' "$before") <(listing) >&2
    exit 1
fi
installed=$(check "$scratch/venv/bin/python")
case $installed in "$scratch/venv/"*) ;; *) echo "pip install: imported $installed" >&2; exit 1 ;; esac
echo "installed and imported: cmake --install and pip install --no-build-isolation"
