"""What a Python user meets beyond the numbers: usage mistakes, refusals,
docstrings, tables, the window's text, the example script."""

import inspect
import os
import pickle
import pydoc
import subprocess
import sys
import warnings

import numpy
import pytest

import zandrevio


def test_every_calculation_is_a_function():
    for name in ["traffic", "path_loss", "cell_range", "service_level", "extended_erlang_b", "band",
                 "path", "itm", "availability", "rain_attenuation", "cable_loss", "downtilt"]:
        assert callable(getattr(zandrevio, name)), name
    assert set(zandrevio.calculations) <= set(dir(zandrevio))


@pytest.mark.parametrize(
    "call, error, words",
    [
        (lambda: zandrevio.traffic(channel=15), TypeError, "unexpected keyword argument 'channel'"),
        (lambda: zandrevio.traffic(channels=15, gos=0.1, traffic=3), TypeError, "two of channels, traffic and gos"),
        (lambda: zandrevio.traffic(model="erlang-x", channels=3, gos=0.1), ValueError,
         "'erlang-x' is not one of poisson, erlang-b, erlang-c"),
        (lambda: zandrevio.traffic(channels="15", gos=0.1), TypeError, "channels takes a number"),
        (lambda: zandrevio.traffic(channels=15, gos=0.1, errors="skip"), ValueError, "errors takes"),
        (lambda: zandrevio.traffic(15, 0.1), TypeError, "positional"),
    ],
)
def test_usage_mistakes(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert words in str(raised.value)


def test_a_refusal_names_its_field():
    with pytest.raises(zandrevio.Refused) as refused:
        zandrevio.cable_loss(length=-3)
    assert refused.value.field == "length"
    assert refused.value.index is None
    nan = zandrevio.cable_loss(length=-3, errors="nan")
    assert numpy.isnan(nan.loss) and list(nan.errors.values()) == [str(refused.value)]


def test_docstrings_read_like_the_manual():
    doc = zandrevio.path_loss.__doc__
    for words in ["bs_height : number", "BS height (m). Start: 50", '"cost-231" (COST-231 Hata)', "loss : number",
                  "(dB)", "Refused"]:
        assert words in doc, words
    parameters = inspect.signature(zandrevio.path).parameters
    assert "from_" in parameters and "profile" in parameters


def test_a_function_is_the_packages_own_for_help_pickle_and_warnings():
    function = zandrevio.path_loss
    assert (function.__module__, function.__qualname__) == ("zandrevio", "path_loss")
    assert pydoc.render_doc(function, renderer=pydoc.plaintext).count("path_loss(*, model=None, ") == 1
    # Sent to another process (multiprocessing) by its name.
    assert pickle.loads(pickle.dumps(function)) is function
    # A validity warning points at the line that called.
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        line = inspect.currentframe().f_lineno + 1
        function(model="hata", frequency=900, distance=30)
    assert [(w.filename, w.lineno) for w in caught] == [(__file__, line)]


def test_results_are_attributes_and_a_dict():
    result = zandrevio.availability(distance=20, frequency=18000, rain_rate=42, fade_margin=35)
    values = result.as_dict()
    assert set(values) >= {"rain_outage", "multipath_outage", "availability", "outage_time"}
    assert result.availability == values["availability"] == result["availability"]
    assert result.units["outage_time"] == "min/year"
    with pytest.raises(AttributeError):
        result.nothing


def test_a_gos_is_given_to_thousandths_and_unrounded():
    result = zandrevio.traffic(channels=5, traffic=0.5)
    assert result.gos == 0
    assert abs(result.blocking - numpy.longdouble("1.57952930026851998e-4")) < 1e-19


def test_tables_have_their_axes():
    table = zandrevio.table("erlang-b", channels=range(1, 101), gos=[0.01, 0.02])
    assert table.shape == (100, 2) and numpy.asarray(table).dtype == numpy.longdouble
    assert list(table.columns) == [0.01, 0.02] and table.rows[0] == 1
    assert zandrevio.format(table.values[14, 0], 5) == "8.108"
    needed = zandrevio.table("erlang-b", traffic=[1, 5, 10], gos=[0.02])
    assert list(needed.values[:, 0]) == [4, 10, 17]
    with pytest.raises(ValueError):
        zandrevio.table("erlang-b", channels=[1, 1], gos=[0.01])
    # The propagation tables, as zandrevio-calc table makes them.
    margins = zandrevio.table("availability", frequency=[7000, 18000], distance=20, rain_rate=42,
                              availability=[99.99, 99.999])
    assert margins.shape == (2, 2) and margins.values[1, 1] > margins.values[0, 0]
    assert margins.rows[1] == 18000 and margins.row_name == "frequency"
    reliability = zandrevio.table("itm", distance=16, terrain_irregularity=0, frequency=230)
    assert reliability.shape == (4, 2) and reliability.values[3, 1] > reliability.values[0, 0]
    pandas = pytest.importorskip("pandas")
    assert isinstance(table.to_frame(), pandas.DataFrame)


def test_format_is_the_windows_text():
    assert zandrevio.format(8.108042797, 5) == "8.108"
    assert zandrevio.format(numpy.longdouble(1) / 3, 18) == "0.333333333333333333"
    assert zandrevio.format(1.5e-7) == "1.5E-7"
    with pytest.raises(ValueError):
        zandrevio.format(1, digits=0)


def test_the_erlang_sweep_example_draws_its_plot(root, tmp_path):
    pytest.importorskip("matplotlib")
    env = dict(os.environ, MPLBACKEND="Agg")
    subprocess.run([sys.executable, str(root / "docs/examples/erlang_sweep.py"), str(tmp_path / "sweep.png")],
                   check=True, env=env)
    assert (tmp_path / "sweep.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"


def test_readme_python_examples(root):
    import doctest
    import re

    text = (root / "README.md").read_text()
    blocks = re.findall(r"```python\n(.*?)```", text, re.S)
    assert blocks
    runner = doctest.DocTestRunner(optionflags=doctest.NORMALIZE_WHITESPACE)
    for number, block in enumerate(blocks):
        test = doctest.DocTestParser().get_doctest(block, {}, "README block %d" % number, "README.md", 0)
        runner.run(test)
    assert runner.summarize(verbose=False).failed == 0


def test_a_chain_of_stages_is_a_list():
    chain = zandrevio.cascade(stage=["name=LNA,gain=20,nf=1,oip3=30", "name=cable,gain=-3",
                                     "name=mixer,gain=-7,nf=7,oip3=15"])
    assert zandrevio.format(chain.noise_figure, 5) == "1.2999"
    assert [stage["stage"] for stage in chain.matches[1:]] == ["LNA", "cable", "mixer"]
    with pytest.raises(ValueError, match="stage: Stage 1 .mixer. has no gain"):
        zandrevio.cascade(stage=["name=mixer,nf=7"])
    with pytest.raises(TypeError):
        zandrevio.cascade(stage=[20])


def test_intermodulation_gives_its_products_as_rows():
    found = zandrevio.intermod(carrier=[935.2, 936.0], band=["930-940"], max_order=3)
    assert found.products == 2 and found.order_3 == 2
    assert [(row["frequency"], row["product"]) for row in found.rows] == [(934.4, "2f1-f2"), (936.8, "2f2-f1")]
    with pytest.raises(zandrevio.Refused) as refused:
        zandrevio.intermod(carrier=[935.2], band=["940-930"])
    assert refused.value.field == "band"
