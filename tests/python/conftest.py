"""The module under test is the build's (PYTHONPATH=build/python) or an
installed one; ZANDREVIO_CALC names the command line it is compared with."""

import os
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]


@pytest.fixture(scope="session")
def calc():
    path = os.environ.get("ZANDREVIO_CALC") or shutil.which("zandrevio-calc")
    if not path:
        pytest.skip("no zandrevio-calc to compare with")
    return path


@pytest.fixture(scope="session")
def root():
    return ROOT


@pytest.fixture(scope="session")
def run_python():
    """Runs a script in a fresh interpreter of the same environment: its standard output."""
    def run(script):
        return subprocess.run([sys.executable, "-c", script], check=True, capture_output=True, text=True).stdout
    return run
