#!/usr/bin/python3
"""Many sites' maps: lattice points and sites x km² per CPU-second, on one and two threads.

Writes synthetic hills (an ESRI ASCII grid, which GDAL reads) and a table of
sites on a square lattice, runs `zandrevio-calc coverage --sites` once on one
thread and once on two, and prints the CPU time (user + system of the child),
the wall time, and the rates. CPU time, not wall time: the machine is shared.

  bench/servers_rate.py [BUILD_DIR] [SITES] [RADIUS_KM] [RESOLUTION_M]
"""

import math
import os
import resource
import subprocess
import sys
import tempfile
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
sites = int(sys.argv[2]) if len(sys.argv) > 2 else 9
radius = float(sys.argv[3]) if len(sys.argv) > 3 else 5.0
resolution = float(sys.argv[4]) if len(sys.argv) > 4 else 100.0
calc = os.path.join(build, "src", "zandrevio-calc")


def write_terrain(folder):
    cell = 1 / 1200  # 3 arc-seconds over one degree
    rows = ["ncols 1200", "nrows 1200", "xllcorner 6.0", "yllcorner 45.0", f"cellsize {cell!r}",
            "NODATA_value -32768"]
    for r in range(1200):
        lat = 46.0 - (r + 0.5) * cell
        rows.append(" ".join(f"{300 + 200 * math.sin(lat * 90) * math.cos((6 + (c + 0.5) * cell) * 70):.1f}"
                             for c in range(1200)))
    with open(os.path.join(folder, "hills.asc"), "w") as out:
        out.write("\n".join(rows) + "\n")
    with open(os.path.join(folder, "hills.prj"), "w") as out:
        out.write('GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],'
                  'PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]]')


def write_sites(folder):
    side = math.ceil(math.sqrt(sites))
    spacing = 1.5 * radius / 111.0  # degrees: neighbours' circles overlap
    with open(os.path.join(folder, "sites.csv"), "w") as out:
        out.write("name,site,frequency\n")
        for i in range(sites):
            lat = 45.5 + (i // side - side / 2) * spacing
            lon = 6.5 + (i % side - side / 2) * spacing / math.cos(math.radians(45.5))
            out.write(f'S{i + 1},"{lat:.6f},{lon:.6f}",{900 if i % 3 else 1800}\n')


def run(folder, threads):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    done = subprocess.run([calc, "coverage", "--dem", os.path.join(folder, "hills.asc"), "--sites",
                           os.path.join(folder, "sites.csv"), "--radius", str(radius), "--resolution",
                           str(resolution), "--power", "20", "--threads", str(threads), "--output",
                           os.path.join(folder, f"map-{threads}.tif")], capture_output=True, text=True)
    wall = time.monotonic() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit(done.stderr)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return cpu, wall


with tempfile.TemporaryDirectory() as folder:
    write_terrain(folder)
    write_sites(folder)
    points = sites * 2 * math.pi * (radius * 1000 / resolution) ** 2
    area = sites * math.pi * radius ** 2
    print(f"{sites} sites of {radius} km at {resolution} m: about {points:,.0f} lattice points, {area:,.0f} site·km²")
    for threads in (1, 2):
        cpu, wall = run(folder, threads)
        print(f"{threads} thread(s): {cpu:.2f} s CPU, {wall:.2f} s wall; {points / cpu:,.0f} points and "
              f"{area / cpu:,.1f} site·km² per CPU-second")
    same = open(os.path.join(folder, "map-1.tif"), "rb").read() == open(os.path.join(folder, "map-2.tif"), "rb").read()
    print("the two maps are", "the same, byte for byte" if same else "DIFFERENT")
