"""The module gives the command line's numbers and refusals: every README
example of one calculation, and a shared table of cases, run both ways."""

import json
import os
import re
import shlex
import subprocess
import warnings

import numpy
import pytest

import zandrevio

CASES = [
    "traffic --channels 15 --gos 0.01",
    "traffic --model erlang-c --traffic 3.2 --gos 0.05",
    "traffic --model poisson --channels 20 --traffic 12",
    "traffic --channels 15 --gos -1",
    "subscribers --subscribers 2000",
    "extended-erlang-b --traffic 20 --channels 25 --recall 1",
    "service-level --traffic 10 --servers 14",
    "path-loss --model hata --distance 30 --frequency 900 --bs-height 30",
    "path-loss --model cost-231 --area metropolitan --distance 5 --frequency 1800",
    "path-loss --model free-space --distance 0 --frequency 900",
    "cable-loss --length 40 --frequency 1800",
    "cable-loss --length -3",
    "vswr --forward 20 --reflected 1",
    "reflection --vswr 1.5",
    "band --standard nr --channel 3279165",
    "rain-attenuation --rain-rate 42 --frequency 18000 --distance 20 --percent 0.01",
]


def readme_examples(root):
    text = (root / "README.md").read_text()
    lines = re.findall(r"^\$ zandrevio-calc (.+)$", text, re.M)
    return [line for line in lines if not line.startswith(("batch", "table"))]


def keyword_arguments(words):
    """A command line's options as the function's keywords and values."""
    name, options = words[0], words[1:]
    function = getattr(zandrevio, name.replace("-", "_"))
    kinds = _kinds(name)
    arguments = {}
    for flag, value in zip(options[::2], options[1::2]):
        keyword = flag[2:].replace("-", "_")
        keyword = keyword + "_" if keyword in ("from",) else keyword
        arguments[keyword] = numpy.array([value], dtype=numpy.longdouble) if kinds[keyword] in ("real", "whole") else value
    return function, arguments


def _kinds(name):
    description = next(d for d in zandrevio._core.calculations() if d["name"] == name)
    return {o["keyword"]: o["kind"] for o in description["options"]}


def compare(calc, root, line):
    words = shlex.split(line)
    run = subprocess.run([calc, "--json", "--digits", "18", *words], cwd=root, capture_output=True, text=True)
    expected = json.loads(run.stdout)
    function, arguments = keyword_arguments(words)
    if expected["error"] is not None:
        with pytest.raises(zandrevio.Refused) as refused:
            _call_in(root, function, {**arguments, "errors": "raise"})
        assert str(refused.value) == expected["error"]
        return
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        result = _call_in(root, function, arguments)
    assert [str(w.message) for w in caught] == expected["warnings"]
    for name, shown in expected["results"].items():
        value = getattr(result, name.replace("-", "_"))[0]
        text = value if isinstance(value, str) else zandrevio.format(value, 18)
        assert text == shown["value"], name
        assert result.units[name.replace("-", "_")] == shown["unit"]


def _call_in(root, function, arguments):
    here = os.getcwd()
    os.chdir(root)
    try:
        return function(**arguments)
    finally:
        os.chdir(here)


@pytest.mark.parametrize("line", CASES)
def test_shared_cases(calc, root, line):
    compare(calc, root, line)


def test_readme_examples(calc, root):
    examples = readme_examples(root)
    assert len(examples) >= 6
    for line in examples:
        compare(calc, root, line)
