#!/usr/bin/python3
"""Coverage beside Debian's splat: CPU time per run and how far the two agree.

Both read the same synthetic SRTM tiles (smooth hills, made here with GDAL);
both compute Longley-Rice point to point with the same ground, climate and
variability; splat on its one thread, zandrevio-calc on one and on every core.
The two sample their profiles differently, so their losses are compared as
distributions: the median and the 90th percentile of |difference| over the
points where neither warns (splat's obstructed points included).

  bench/coverage_vs_splat.py [BUILD_DIR] [RUN ...]     RUN: [SITESx]RADIUS_KM@3 or @1 (arc-seconds)

Without runs: 50@3 100@3 30@1, as the issue's yardsticks. With SITESx (2 to 4,
the most splat maps at once), as many sites 0.15 degrees around the first map
together: splat's one map of them all beside `coverage --sites` at the data's
step (CPU time alone: the two combine the sites differently). Installs splat and
gdal-bin (with python3-gdal) where missing, through apt, as scripts/install-deps does.
"""

import math
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

build = sys.argv[1] if len(sys.argv) > 1 and "@" not in sys.argv[1] else "build"
runs = [a for a in sys.argv[1:] if "@" in a] or ["50@3", "100@3", "30@1"]
SITE = (46.0, 7.0)  # the corner of four tiles, so that every radius finds data
FREQUENCY = 900.0


def ensure_packages():
    missing = [p for p in ("splat", "gdal-bin", "python3-gdal")
               if subprocess.run(["dpkg", "-s", p], capture_output=True).returncode != 0]
    if missing:
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "install", "-y", "-q", "--no-install-recommends", *missing], check=True,
                       env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def write_tiles(folder, seconds, tiles):
    """SRTM .hgt tiles (grid-node registered), as splat's converters and GDAL read them."""
    from osgeo import gdal
    import numpy
    n = 1200 * 3 // seconds + 1 if seconds == 3 else 3601
    px = 1.0 / (n - 1)
    names = []
    for lat0, lon0 in tiles:
        lats = lat0 + 1 - numpy.arange(n) * px
        lons = lon0 + numpy.arange(n) * px
        la, lo = numpy.meshgrid(lats, lons, indexing="ij")
        grid = (400 + 300 * numpy.sin(la * 23.0) * numpy.cos(lo * 17.0) + 120 * numpy.sin((la + 2 * lo) * 61.0)
                + 40 * numpy.cos((3 * la - lo) * 157.0)).round().astype("int16")
        memory = gdal.GetDriverByName("MEM").Create("", n, n, 1, gdal.GDT_Int16)
        memory.SetGeoTransform((lon0 - px / 2, px, 0, lat0 + 1 + px / 2, 0, -px))
        memory.SetProjection('GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],'
                             'PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]]')
        memory.GetRasterBand(1).WriteArray(grid)
        name = os.path.join(folder, f"N{lat0:02d}E{lon0:03d}.hgt")
        gdal.GetDriverByName("SRTMHGT").CreateCopy(name, memory)
        names.append(name)
    return names


def cpu_of(command, **kwargs):
    """The CPU seconds (user + system) of one child process run to its end."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kwargs)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def sites_around(count):
    """The first site and up to three more 0.15 degrees off it, east, south and south-east."""
    return [(SITE[0] - 0.15 * (i // 2), SITE[1] + 0.15 * (i % 2)) for i in range(count)]


def bench_sites(count, radius, seconds, work):
    folder = prepare(radius, seconds, work)
    names = []
    with open(os.path.join(folder, "sites.csv"), "w") as table:
        table.write("name,site\n")
        for i, (lat, lon) in enumerate(sites_around(count)):
            with open(os.path.join(folder, f"tx{i}.qth"), "w") as f:
                f.write(f"site{i}\n{lat}\n{360 - lon}\n30m\n")
            names.append(f"tx{i}.qth")
            table.write(f'S{i},"{lat},{lon}"\n')
    with open(os.path.join(folder, "tx.lrp"), "w") as f:
        f.write(f"15.0\n0.005\n301.0\n{FREQUENCY}\n5\n1\n0.50\n0.50\n")
    splat = "splat" if seconds == 3 else "splat-hd"
    splat_cpu = cpu_of([splat, "-t", *names, "-L", "1.5", "-R", str(radius), "-metric", "-olditm", "-d", ".",
                        "-N", "-ngs", "-o", "map.ppm"], cwd=folder)
    step = 30.87 * seconds  # the data's own step, a second of arc of latitude
    ours = [os.path.abspath(f"{build}/src/zandrevio-calc"), "coverage", "--dem", "dem.vrt", "--sites", "sites.csv",
            "--radius", str(radius), "--resolution", f"{step:.2f}", "--tx-height", "30", "--rx-height", "1.5",
            "--frequency", str(FREQUENCY), "--power", "20", "--model", "itm", "--mdvar", "12",
            "--output", "servers.tif"]
    one_cpu = cpu_of(ours + ["--threads", "1"], cwd=folder)
    print(f"{count} sites of {radius} km at {seconds}\u2033: splat {splat_cpu:7.1f} s CPU; zandrevio-calc "
          f"{one_cpu:7.1f} s CPU on one thread (ratio {one_cpu / splat_cpu:5.2f})", flush=True)


def prepare(radius, seconds, work):
    tiles = [(lat, lon) for lat in range(44, 48) for lon in range(5, 9)] if radius > 60 else \
        [(45, 6), (45, 7), (46, 6), (46, 7)]
    folder = os.path.join(work, f"{seconds}s-{len(tiles)}")
    if not os.path.isdir(folder):
        os.makedirs(folder)
        hgt = write_tiles(folder, seconds, tiles)
        converter = "srtm2sdf" if seconds == 3 else "srtm2sdf-hd"
        for name in hgt:
            subprocess.run([converter, os.path.basename(name)], cwd=folder, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["gdalbuildvrt", "dem.vrt", *[os.path.basename(n) for n in hgt]], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL)
    return folder


def bench(radius, seconds, work):
    folder = prepare(radius, seconds, work)
    with open(os.path.join(folder, "tx.qth"), "w") as f:
        f.write(f"site\n{SITE[0]}\n{360 - SITE[1]}\n30m\n")
    with open(os.path.join(folder, "tx.lrp"), "w") as f:
        f.write(f"15.0\n0.005\n301.0\n{FREQUENCY}\n5\n1\n0.50\n0.50\n")
    splat = "splat" if seconds == 3 else "splat-hd"
    splat_cpu = cpu_of([splat, "-t", "tx.qth", "-L", "1.5", "-R", str(radius), "-metric", "-olditm", "-d", ".",
                        "-N", "-ngs", "-o", "map.ppm", "-ano", "loss.ano"], cwd=folder)
    ours = [os.path.abspath(f"{build}/src/zandrevio-calc"), "coverage", "--dem", "dem.vrt",
            "--from", f"{SITE[0]},{SITE[1]}", "--radius", str(radius), "--tx-height", "30", "--rx-height", "1.5",
            "--frequency", str(FREQUENCY), "--model", "itm", "--permittivity", "15", "--conductivity", "0.005",
            "--refractivity", "301", "--climate", "continental-temperate", "--polarization", "vertical",
            "--mdvar", "12", "--time", "50", "--situation", "50", "--location", "50", "--output", "map.tif"]
    one_cpu = cpu_of(ours + ["--threads", "1"], cwd=folder)
    start = os.times().elapsed
    every_cpu = cpu_of(ours + ["--threads", "0"], cwd=folder)
    every_wall = os.times().elapsed - start
    differences = compare(folder)
    print(f"{radius:4d} km at {seconds}\u2033: splat {splat_cpu:7.1f} s CPU; zandrevio-calc {one_cpu:7.1f} s CPU on one "
          f"thread (ratio {one_cpu / splat_cpu:5.2f}), {every_cpu:7.1f} s CPU in {every_wall:6.1f} s on every core; "
          f"|difference| median {differences[0]:5.2f} dB, 90th percentile {differences[1]:5.2f} dB "
          f"over {differences[2]} points", flush=True)


def compare(folder):
    """|splat - ours| at splat's points, ours read from the map's nearest pixel where it did not warn."""
    from osgeo import gdal, osr
    import numpy
    dataset = gdal.Open(os.path.join(folder, "map.tif"))
    loss = dataset.GetRasterBand(1).ReadAsArray()
    code = dataset.GetRasterBand(2).ReadAsArray()
    nodata = dataset.GetRasterBand(1).GetNoDataValue()
    x0, px, _, y0, _, py = dataset.GetGeoTransform()
    wgs84 = osr.SpatialReference()
    wgs84.ImportFromEPSG(4326)
    wgs84.SetAxisMappingStrategy(osr.OAMS_TRADITIONAL_GIS_ORDER)
    local = osr.SpatialReference(wkt=dataset.GetProjection())
    to_map = osr.CoordinateTransformation(wgs84, local)
    differences = []
    with open(os.path.join(folder, "loss.ano")) as ano:
        for line in ano:
            cells = [c.strip() for c in line.replace("*", "").split(",")]
            if len(cells) < 5:
                continue
            try:
                lat, lon_west, splat_loss = float(cells[0]), float(cells[1]), float(cells[4])
            except ValueError:
                continue
            x, y, _ = to_map.TransformPoint(360.0 - lon_west if lon_west > 180 else -lon_west, lat)
            column, row = int((x - x0) / px), int((y - y0) / py)
            if 0 <= row < loss.shape[0] and 0 <= column < loss.shape[1] and loss[row, column] != nodata \
                    and code[row, column] < 10:
                differences.append(abs(splat_loss - float(loss[row, column])))
    if not differences:
        return (float("nan"), float("nan"), 0)
    return (statistics.median(differences), float(numpy.percentile(differences, 90)), len(differences))


if __name__ == "__main__":
    ensure_packages()
    subprocess.run(["cmake", "--build", build, "--target", "zandrevio-calc", "zandrevio_dem"], check=True,
                   stdout=subprocess.DEVNULL)
    work = os.environ.get("ZANDREVIO_BENCH_DIR") or tempfile.mkdtemp(prefix="zandrevio-splat-")
    try:
        for run in runs:
            radius, seconds = run.split("@")
            if "x" in radius:
                count, radius = radius.split("x")
                bench_sites(int(count), int(radius), int(seconds), work)
            else:
                bench(int(radius), int(seconds), work)
    finally:
        if "ZANDREVIO_BENCH_DIR" not in os.environ:
            shutil.rmtree(work, ignore_errors=True)
