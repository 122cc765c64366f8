"""Arrays broadcast as NumPy ufuncs do, keep extended precision, and a
refused element is NaN with its message, or raises where asked."""

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
    assert [str(w.message) for w in caught] == ["distance outside 1-20 km, the range of Hata's model (2 of 3)"]
    assert all(issubclass(w.category, zandrevio.ValidityWarning) for w in caught)
    assert result.warnings == ["distance outside 1-20 km, the range of Hata's model"]


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
    # First or later, a count that is not whole is that element's refusal.
    for channels, bad in (([2.5, 3], 0), ([3, 2.5], 1)):
        result = zandrevio.traffic(channels=channels, gos=0.01)
        assert numpy.isnan(result.traffic[bad]) and list(result.errors) == [(bad,)]
    # A channel number read by a hook goes element by element too.
    assert zandrevio.channel(standard="gsm", tx=[935.2, 935.4]).channel.shape == (2,)


def test_none_is_not_given():
    assert zandrevio.traffic(channels=15, gos=0.01, traffic=None).traffic == zandrevio.traffic(
        channels=15, gos=0.01).traffic
    assert zandrevio.noise(bandwidth=None).thermal_noise == zandrevio.noise().thermal_noise
    # The top line's gain is given as a text even where nothing is echoed.
    assert zandrevio.downtilt(gain=15).as_dict()["top_gain"] == "15"
