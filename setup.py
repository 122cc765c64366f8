"""Builds the module zandrevio._core with the project's CMake (offline: the
build uses only what scripts/install-deps installed)."""

import hashlib
import subprocess
import sys
import tempfile
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent
# Every build file outside the source tree: a folder of the system's
# temporary space, one per source tree, kept for the next build.
BUILD = Path(tempfile.gettempdir()) / (
    "zandrevio-python-build-" + hashlib.sha256(str(ROOT).encode()).hexdigest()[:12])


class CMakeExtension(Extension):
    def __init__(self, name):
        super().__init__(name, sources=[])


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        output = Path(self.get_ext_fullpath(ext.name)).resolve().parent
        build = BUILD / "cmake"
        subprocess.run(
            [
                "cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja",
                "-DZANDREVIO_BENCHMARKS=OFF",
                # The interpreter pip runs for: its headers and its NumPy.
                f"-DPython_EXECUTABLE={sys.executable}",
                f"-DZANDREVIO_PYTHON_OUTPUT={output}",
            ],
            check=True,
        )
        subprocess.run(["cmake", "--build", str(build), "--target", "_core"], check=True)


setup(
    packages=["zandrevio"],
    package_dir={"zandrevio": "src/python/zandrevio"},
    ext_modules=[CMakeExtension("zandrevio._core")],
    cmdclass={"build_ext": CMakeBuild},
    # Beside the CMake build, outside the source tree.
    options={"build": {"build_base": str(BUILD / "setuptools")}, "egg_info": {"egg_base": str(BUILD)}},
)
