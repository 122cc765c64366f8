"""Zandrevio: the radio planner's calculations, exact to the last digit.

Every calculation of the command line zandrevio-calc is a function here,
with keyword arguments named as its options (``bs_height`` for
``--bs-height``) and the same choice words. Numbers may be NumPy arrays;
they broadcast, and results keep numpy.longdouble precision::

    >>> import zandrevio
    >>> zandrevio.traffic(channels=15, gos=0.01).traffic
    8.108042797184451
    >>> zandrevio.table("erlang-b", channels=range(1, 101), gos=[0.01, 0.02])
"""

from . import _core

__version__ = _core.__version__
from ._errors import Refused, ValidityWarning
from ._functions import make_functions
from ._table import Table, table
from ._tiles import coverage_tiles

_core.set_classes(Refused, ValidityWarning)

Result = _core.Result
_functions = make_functions()
globals().update(_functions)

#: The names of every calculation's function.
calculations = tuple(sorted(_functions))


def format(value, digits=5):
    """The window's text of a value: ``digits`` significant digits (1 to 18)."""
    return _core.format(value, digits)


__all__ = ["Refused", "ValidityWarning", "Result", "Table", "table", "format", "calculations", "coverage_tiles"]
__all__ += list(calculations)
