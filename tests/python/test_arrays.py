"""Arrays broadcast as NumPy ufuncs do, keep extended precision, and a
refused element is NaN with its message, or raises where asked."""

import sys
import warnings

import numpy
import pytest

import zandrevio


def test_arrays_broadcast_to_one_shape():
    channels = numpy.arange(1, 101).reshape(100, 1)
    gos = numpy.array([0.01, 0.02, 0.05])
    result = zandrevio.traffic(channels=channels, gos=gos)
    assert result.traffic.shape == (100, 3)
    assert result.traffic.dtype == numpy.longdouble
    # Each cell is the scalar call's value.
    assert float(result.traffic[14, 0]) == zandrevio.traffic(channels=15, gos=0.01).traffic
    assert zandrevio.traffic(channels=[15, 16], gos=0.01).traffic.shape == (2,)
    with pytest.raises(ValueError):
        zandrevio.traffic(channels=[1, 2, 3], gos=[0.01, 0.02])


def test_extended_precision_is_kept():
    if numpy.finfo(numpy.longdouble).nmant < 63:
        pytest.skip("long double is not 80-bit here")
    # 15 channels at 1 %: the traffic to the last of its 18 digits.
    traffic = zandrevio.traffic(channels=numpy.array([15]), gos=numpy.longdouble("0.01")).traffic[0]
    assert zandrevio.format(traffic, 18) == "8.10804279718445186"
    # An input beyond a double's precision is read as given, not as a double.
    third = numpy.longdouble(1) / numpy.longdouble(3)
    exact = zandrevio.path_loss(distance=numpy.array([third]), frequency=900).loss[0]
    rounded = zandrevio.path_loss(distance=numpy.array([float(third)]), frequency=900).loss[0]
    assert exact != rounded
    # A scalar call gives Python numbers.
    assert type(zandrevio.traffic(channels=15, gos=0.01).traffic) is float
    assert type(zandrevio.traffic(traffic=8, gos=0.01).channels) is int


def test_a_refused_element_is_nan_with_its_message():
    result = zandrevio.traffic(channels=[15, 2.5, 10], gos=[0.01, 0.01, -1])
    assert numpy.isnan(result.traffic[1]) and numpy.isnan(result.traffic[2])
    assert result.traffic[0] > 8
    assert result.errors == {
        (1,): "channels: '2.5' is not a whole number from -2147483648 to 2147483647",
        (2,): "GOS must be  0 < GOS <1",
    }
    with pytest.raises(zandrevio.Refused) as refused:
        zandrevio.traffic(channels=[15, 10], gos=[0.01, -1], errors="raise")
    assert refused.value.field == "gos"
    assert refused.value.index == (1,)
    assert isinstance(refused.value, ValueError)


def test_a_warning_is_given_once_for_an_array():
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        result = zandrevio.path_loss(model="hata", distance=[5, 30, 40], frequency=900)
    # Its text is the same for any number of elements, so that Python's filters give it once a place;
    # the elements it concerns are counted beside.
    assert [str(w.message) for w in caught] == ["distance outside 1-20 km, the range of Hata's model"]
    assert [(w.message.runs, w.message.of) for w in caught] == [(2, 3)]
    assert all(issubclass(w.category, zandrevio.ValidityWarning) for w in caught)
    assert result.warnings == ["distance outside 1-20 km, the range of Hata's model"]
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("default")
        for distances in ([5, 30], [5, 30, 40, 50]):
            zandrevio.path_loss(model="hata", distance=distances, frequency=900)
    assert len(caught) == 1


def test_texts_and_calculations_without_a_sweep():
    # Channel numbers to frequencies: a hook reads the number, each element runs alone.
    result = zandrevio.channel(standard="gsm", tx=[935.2, 935.4])
    assert list(result.channel) == [1, 2]
    # Several bands answer for each element: every element its own.
    band = zandrevio.band(standard="lte", channel=[1575, 300])
    assert list(band.band) == ["3", "1"]
    assert list(band.downlink) == [1842.5, 2140]


def test_empty_arrays_give_empty_results():
    result = zandrevio.traffic(channels=numpy.array([], dtype=int), gos=0.01)
    assert result.traffic.shape == (0,)


def test_any_element_that_cannot_be_read_is_its_own_refusal():
    # First or later, a count that is not whole is that element's refusal, and a scalar call's: one
    # exception class for one fault.
    for channels, bad in (([2.5, 3], 0), ([3, 2.5], 1)):
        result = zandrevio.traffic(channels=channels, gos=0.01)
        assert numpy.isnan(result.traffic[bad]) and list(result.errors) == [(bad,)]
    for channels in (15.5, [15, 15.5]):
        with pytest.raises(zandrevio.Refused) as refused:
            zandrevio.traffic(channels=channels, gos=0.01, errors="raise")
        assert refused.value.field == "channels"
    with pytest.raises(ValueError) as slip:
        zandrevio.traffic(model="erlang-x", channels=[15, 16], gos=0.01)
    assert not isinstance(slip.value, zandrevio.Refused)
    # A channel number read by a hook goes element by element too.
    assert zandrevio.channel(standard="gsm", tx=[935.2, 935.4]).channel.shape == (2,)


def test_none_is_not_given():
    assert zandrevio.traffic(channels=15, gos=0.01, traffic=None).traffic == zandrevio.traffic(
        channels=15, gos=0.01).traffic
    assert zandrevio.noise(bandwidth=None).thermal_noise == zandrevio.noise().thermal_noise
    # The top line's gain is given as a text even where nothing is echoed.
    assert zandrevio.downtilt(gain=15).as_dict()["top_gain"] == "15"


def test_scalar_and_array_calls_give_the_same_results_and_lists(root):
    hop = str(root / "docs/examples/hill-hop.csv")
    for name, arguments, varying in (
            ("path", {"profile": hop}, "frequency"),
            ("cascade", {"stage": ["name=LNA,gain=20,nf=1", "gain=-3"]}, "bandwidth"),
            ("downtilt", {}, "height")):
        function = getattr(zandrevio, name)
        scalar = function(**arguments, **{varying: 100})
        array = function(**arguments, **{varying: [100, 120]})
        assert list(scalar.as_dict()) == list(array.as_dict()), name
        for kind in ("curve", "matches", "rows"):
            if getattr(scalar, kind) is not None:
                assert getattr(array, kind).shape == (2,), (name, kind)
                assert repr(getattr(array, kind)[0]) == repr(getattr(scalar, kind)), (name, kind)


def test_a_broadcast_too_large_for_memory_raises_memory_error():
    with pytest.raises(MemoryError):
        zandrevio.vswr(forward=numpy.full((10**5, 1), 5.0), reflected=numpy.ones((1, 10**5)))
    # A million by a million: 16 TB of results.
    with pytest.raises(MemoryError):
        zandrevio.vswr(forward=numpy.full((2**20, 1), 5.0), reflected=numpy.ones((1, 2**20)))


def test_an_array_call_takes_little_more_memory_than_its_results(run_python):
    # Inputs of 3000 and 3000 elements broadcast to 9 million results: no input is stretched to that.
    peak = run_python("""
import gc, resource, numpy, zandrevio
forward, reflected = numpy.full((3000, 1), 5.0), numpy.linspace(0.1, 1, 3000)[None, :]
zandrevio.vswr(forward=forward[:2], reflected=reflected[:, :2])
gc.collect()
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
result = zandrevio.vswr(forward=forward, reflected=reflected)
grown = (resource.getrusage(resource.RUSAGE_SELF).ru_maxrss - before) * 1024
print(grown / (forward.nbytes + reflected.nbytes + sum(v.nbytes for v in result.as_dict().values())))
""")
    assert float(peak) <= 2.0


def test_ctrl_c_stops_a_long_array_call(root):
    import os
    import signal
    import subprocess
    import time
    child = subprocess.Popen(
        [sys.executable, "-c", """
import sys, time, numpy, zandrevio
print("ready", flush=True)
try:
    zandrevio.itm(profile=sys.argv[1], frequency=numpy.linspace(100, 1000, 10**6))
    print("finished")
except KeyboardInterrupt:
    print("stopped")
""", str(root / "docs/examples/hill-hop.csv")], stdout=subprocess.PIPE, text=True, env=dict(os.environ))
    assert child.stdout.readline().strip() == "ready"
    time.sleep(1.0)
    sent = time.monotonic()
    child.send_signal(signal.SIGINT)
    out = child.communicate(timeout=60)[0]
    assert out.strip() == "stopped"
    assert time.monotonic() - sent < 0.5  # 0.1 s of its own, the rest the interpreter's exit


def test_dtype_results_for_pandas_json_and_interp():
    import json
    wide = zandrevio.traffic(channels=[15, 16], gos=0.01)
    narrow = zandrevio.traffic(channels=[15, 16], gos=0.01, dtype=numpy.float64)
    assert wide.traffic.dtype == numpy.longdouble and narrow.traffic.dtype == numpy.float64
    assert narrow.traffic[0] == float(wide.traffic[0])
    json.dumps(narrow.traffic.tolist())
    assert numpy.interp(15.5, [15, 16], narrow.traffic) > narrow.traffic[0]
    with pytest.raises(ValueError):
        zandrevio.traffic(channels=[15], gos=0.01, dtype="int8")


def test_a_result_pickles():
    import pickle
    for result in (zandrevio.traffic(channels=15, gos=0.01), zandrevio.traffic(channels=[15, 16, 2.5], gos=0.01),
                   zandrevio.downtilt()):
        again = pickle.loads(pickle.dumps(result))
        assert repr(again) == repr(result)
        assert again.units == result.units and again.errors == result.errors
        assert repr(again.curve) == repr(result.curve)


def test_a_profile_from_arrays_as_from_a_file(root):
    from_file = zandrevio.itm(profile=str(root / "docs/examples/hill-hop.csv"), frequency=7000)
    rows = numpy.loadtxt(root / "docs/examples/hill-hop.csv", delimiter=",", skiprows=1)
    assert zandrevio.itm(profile=(rows[:, 0], rows[:, 1]), frequency=7000).loss == from_file.loss
    assert zandrevio.itm(profile=rows, frequency=7000).loss == from_file.loss
    with pytest.raises(zandrevio.Refused, match="^the profile: the height at line 3") as refused:
        zandrevio.path(profile=([0, 1, 2], [0, 1e300, 0]))
    assert refused.value.field == "profile"
    with pytest.raises(TypeError):
        zandrevio.path(profile=[1, 2, 3])


def test_a_path_by_longley_rice_with_its_availability(root):
    hop = dict(profile=str(root / "docs/examples/hill-hop.csv"), frequency=7000, polarization="horizontal",
               tx_height=30, rx_height=30)
    by_itm = zandrevio.path(**hop, model="itm", power=1, tx_gain=30, rx_gain=30,
                            sensitivity=-80, availability="yes", rain_rate=60)
    assert by_itm.path_loss == zandrevio.itm(**hop).loss
    assert by_itm.range == zandrevio.itm(**hop).range
    assert 0 < by_itm.outage < 100 and by_itm.availability == pytest.approx(100 - by_itm.outage)
    with pytest.raises(ValueError, match="^climate: belongs to Longley-Rice, which needs model itm$"):
        zandrevio.path(**hop, climate="desert")


def test_the_version():
    assert zandrevio.__version__ == "1.04"


@pytest.mark.filterwarnings("ignore::zandrevio.ValidityWarning")  # short paths over steep hills
def test_a_coverage_map_and_its_lattice(tmp_path):
    # Hills in an ESRI ASCII grid with its .prj: a raster GDAL reads, written without GDAL.
    import csv
    import math
    cell = 1 / 1200
    rows = ["ncols 240", "nrows 240", "xllcorner 6.0", "yllcorner 45.0", f"cellsize {cell!r}", "NODATA_value -32768"]
    for r in range(240):
        lat = 45.2 - (r + 0.5) * cell
        rows.append(" ".join(f"{300 + 200 * math.sin(lat * 90) * math.cos((6 + (c + 0.5) * cell) * 70):.1f}"
                             for c in range(240)))
    (tmp_path / "hills.asc").write_text("\n".join(rows) + "\n")
    (tmp_path / "hills.prj").write_text('GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],'
                                        'PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]]')
    dem, site = str(tmp_path / "hills.asc"), "45.1,6.1"
    summary = zandrevio.coverage(dem=dem, from_=site, radius=2, resolution=200, frequency=900,
                                 output=str(tmp_path / "map.tif"), lattice_out=str(tmp_path / "lattice.csv"))
    assert (summary.radials, summary.steps, summary.points, summary.no_data) == (64, 10, 640, 0)
    assert (tmp_path / "map.tif").stat().st_size > 0
    with open(tmp_path / "lattice.csv", newline="") as f:
        points = list(csv.DictReader(f))
    for point in points[::53]:
        link = zandrevio.itm(dem=dem, from_=site, to=f"{point['latitude']},{point['longitude']}", step=200,
                             frequency=900)
        assert float(link.loss) == pytest.approx(float(point["loss"]), rel=1e-15)


def test_a_pattern_file_turns_with_each_radial_of_a_map(tmp_path):
    # A sector 65 degrees wide, its beam 6 degrees down, as MSI; on a calm sea 2 km around a site.
    import csv
    lines = ["NAME sector", "GAIN 15.85 dBd", "HORIZONTAL 360"]
    lines += [f"{a} {min(12 * ((a if a <= 180 else a - 360) / 65) ** 2, 30)!r}" for a in range(360)]
    lines += ["VERTICAL 360"]
    lines += [f"{a} {min(12 * ((a if a <= 180 else a - 360) - 6) ** 2 / 100, 30) if abs(a if a <= 180 else a - 360) <= 90 else 30}"
              for a in range(360)]
    (tmp_path / "sector.msi").write_text("\n".join(lines) + "\n")
    msi = str(tmp_path / "sector.msi")
    # A file's own bytes quoted in a refusal, even those that are not UTF-8, come as a Refused.
    (tmp_path / "bad.msi").write_bytes(b"NAME t\nGAIN 1\xd2 dBi\nHORIZONTAL 1\n0 0\nVERTICAL 1\n0 0\n")
    with pytest.raises(zandrevio.Refused) as refused:
        zandrevio.pattern(pattern=str(tmp_path / "bad.msi"))
    assert "line 2 (GAIN): '1\ufffd' is not a number" in str(refused.value) and refused.value.field == "pattern"
    gains = zandrevio.pattern(pattern=msi, bearing=numpy.array([90.0, 123.0, 270.0]), elevation=-6, azimuth=90)
    assert gains.gain.tolist() == pytest.approx([18.0, 18 - 12 * (33 / 65) ** 2, 18 - 30], abs=1e-12)

    rows = ["ncols 60", "nrows 60", "xllcorner 6.0", "yllcorner 45.0", "cellsize 0.001", "NODATA_value -32768"]
    rows += [" ".join(["0"] * 60)] * 60
    (tmp_path / "sea.asc").write_text("\n".join(rows) + "\n")
    (tmp_path / "sea.prj").write_text('GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],'
                                      'PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]]')
    dem, site = str(tmp_path / "sea.asc"), "45.03,6.03"
    zandrevio.coverage(dem=dem, from_=site, radius=2, resolution=250, frequency=1800, power=40, tx_height=30,
                       tx_pattern=msi, tx_azimuth=90, lattice_out=str(tmp_path / "lattice.csv"))
    with open(tmp_path / "lattice.csv", newline="") as f:
        points = list(csv.DictReader(f))
    for point in points[3::41]:
        link = zandrevio.path(model="itm", dem=dem, from_=site, to=f"{point['latitude']},{point['longitude']}",
                              step=250, frequency=1800, power=40, tx_height=30, rx_height=10,
                              polarization="vertical", tx_pattern=msi, tx_azimuth=90)
        assert float(link.received_power) == pytest.approx(float(point["level"]), rel=1e-15)
    east = [float(p["level"]) for p in points if p["bearing"] == "90" and p["step"] == "8"]
    west = [float(p["level"]) for p in points if p["bearing"] == "270" and p["step"] == "8"]
    assert east[0] - west[0] > 20  # the sector faces east


def test_tiles_on_a_dask_cluster_are_the_tiles_run_here(tmp_path):
    # Hills in an ESRI ASCII grid (a raster GDAL reads) and three sites on two frequencies.
    import math
    from dask.distributed import Client, LocalCluster
    cell = 1 / 1200
    rows = ["ncols 240", "nrows 240", "xllcorner 6.0", "yllcorner 45.0", f"cellsize {cell!r}", "NODATA_value -32768"]
    for r in range(240):
        lat = 45.2 - (r + 0.5) * cell
        rows.append(" ".join(f"{300 + 200 * math.sin(lat * 90) * math.cos((6 + (c + 0.5) * cell) * 70):.1f}"
                             for c in range(240)))
    (tmp_path / "hills.asc").write_text("\n".join(rows) + "\n")
    (tmp_path / "hills.prj").write_text('GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563]],'
                                        'PRIMEM["Greenwich",0],UNIT["degree",0.0174532925199433]]')
    (tmp_path / "sites.csv").write_text('name,site,frequency\nA,"45.1,6.08",900\nB,"45.11,6.11",900\n'
                                        'C,"45.08,6.1",1800\n')
    options = dict(dem=str(tmp_path / "hills.asc"), sites=str(tmp_path / "sites.csv"), radius=1.5,
                   resolution=150, power=20, tile_grid=0.02)
    here = zandrevio.coverage_tiles(output=str(tmp_path / "here-{tile}.tif"), mosaic=str(tmp_path / "here.vrt"),
                                    **options)
    assert len(here) > 1
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster, \
            Client(cluster) as client:
        there = zandrevio.coverage_tiles(output=str(tmp_path / "there-{tile}.tif"), client=client, **options)
    assert [f.replace("there", "here") for f in there] == here
    for mine, theirs in zip(here, there):
        assert open(mine, "rb").read() == open(theirs, "rb").read()
    assert "here-0.tif" in (tmp_path / "here.vrt").read_text()
