"""The classic traffic tables, made by broadcasting the calculations."""

import numpy

from . import _core

_START_GOS = (0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1)
_START_SERVICE_LEVELS = (0.8, 0.85, 0.9, 0.95)
_MODELS = ("poisson", "erlang-b", "erlang-c", "extended-erlang-b", "erlang-c-service-level", "itm", "availability")
_START_TIMES = (10, 50, 90, 99)
_START_LOCATIONS = (50, 90)
_START_AVAILABILITIES = (99.9, 99.99, 99.995, 99.999)


class Table:
    """A 2-D table of one result with its axes.

    ``values`` is a numpy.longdouble array (rows x columns), NaN where a cell
    is refused (its message in ``errors``, keyed by (row, column)); ``rows``
    and ``columns`` are the axes, named ``row_name`` and ``column_name``;
    ``result`` names what the cells hold. ``numpy.asarray(table)`` gives the
    values; ``to_frame()`` a pandas DataFrame where pandas is installed.
    """

    def __init__(self, values, rows, columns, row_name, column_name, result, unit, errors):
        self.values = values
        self.rows = rows
        self.columns = columns
        self.row_name = row_name
        self.column_name = column_name
        self.result = result
        self.unit = unit
        self.errors = errors

    @property
    def shape(self):
        return self.values.shape

    def __array__(self, dtype=None):
        return self.values if dtype is None else self.values.astype(dtype)

    def __getitem__(self, index):
        return self.values[index]

    def __repr__(self):
        return "Table(%s by %s x %s, %d x %d)" % (
            self.result, self.row_name, self.column_name, self.values.shape[0], self.values.shape[1])

    def to_frame(self):
        """The table as a pandas DataFrame (pandas is needed for this only)."""
        import pandas

        return pandas.DataFrame(
            self.values,
            index=pandas.Index(self.rows, name=self.row_name),
            columns=pandas.Index(self.columns, name=self.column_name),
        )


def _axis(name, values):
    axis = numpy.asarray(list(values) if isinstance(values, range) else values, dtype=numpy.longdouble)
    if axis.ndim != 1 or axis.size == 0:
        raise ValueError("%s takes a list of numbers" % name)
    if len(numpy.unique(axis)) != axis.size:
        raise ValueError("%s gives a value twice" % name)
    return axis


def table(model, *, channels=None, traffic=None, gos=None, recall=0.5, handling_time=180,
          target_time=20, service_level=None, time=None, location=None, availability=None, **options):
    """A classic traffic table, as ``zandrevio-calc table`` makes it.

    model : "poisson", "erlang-b", "erlang-c", "extended-erlang-b" or
        "erlang-c-service-level".
    channels : the rows: each channel count's traffic (Erlang) at each GOS
        (poisson, erlang-b, erlang-c).
    traffic : the rows: the channels (servers) each traffic (Erlang) needs at
        each GOS or service level.
    gos : the columns, grades of service as fractions
        (start 0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1).
    recall : extended-erlang-b's share of blocked calls that retry (start 0.5).
    handling_time, target_time : erlang-c-service-level's times in s
        (start 180 and 20).
    service_level : erlang-c-service-level's columns, fractions
        (start 0.8, 0.85, 0.9, 0.95).
    time, location : itm's rows and columns, percentages (start 10, 50, 90,
        99 and 50, 90); the other keywords are zandrevio.itm's.
    availability : availability's columns, target availabilities in %
        (start 99.9, 99.99, 99.995, 99.999); its rows are a list given as
        frequency or as distance, the other keywords are
        zandrevio.availability's. The cells are the fade margins needed (dB).

    Returns a Table; refused cells are NaN with their message in its errors.
    """
    if model not in _MODELS:
        raise ValueError("model takes one of %s, not %r" % (", ".join(_MODELS), model))
    if model in ("itm", "availability"):
        return _propagation_table(model, time, location, availability, options)
    if options:
        raise TypeError("table() got an unexpected keyword argument %r" % next(iter(options)))
    if (channels is None) == (traffic is None):
        raise TypeError("table takes one of channels and traffic")
    from . import extended_erlang_b, service_level as service_level_of, traffic as traffic_of

    if model == "erlang-c-service-level":
        if channels is not None:
            raise TypeError("erlang-c-service-level takes traffic: the servers each needs")
        rows = _axis("traffic", traffic)
        columns = _axis("service_level", _START_SERVICE_LEVELS if service_level is None else service_level)
        answer = service_level_of(traffic=rows[:, None], target_service_level=columns[None, :],
                                  handling_time=handling_time, target_time=target_time, errors="nan")
        return _made(answer, "servers", rows, columns, "traffic", "service_level")
    columns = _axis("gos", _START_GOS if gos is None else gos)
    if model == "extended-erlang-b":
        if channels is not None:
            raise TypeError("extended-erlang-b takes traffic here: the channels each needs")
        rows = _axis("traffic", traffic)
        answer = extended_erlang_b(traffic=rows[:, None], blocking=columns[None, :], recall=recall, errors="nan")
        return _made(answer, "channels", rows, columns, "traffic", "gos")
    if channels is not None:
        rows = _axis("channels", channels)
        answer = traffic_of(model=model, channels=rows[:, None], gos=columns[None, :], errors="nan")
        return _made(answer, "traffic", rows, columns, "channels", "gos")
    rows = _axis("traffic", traffic)
    answer = traffic_of(model=model, traffic=rows[:, None], gos=columns[None, :], errors="nan")
    return _made(answer, "channels", rows, columns, "traffic", "gos")


def _made(answer, result, rows, columns, row_name, column_name):
    return Table(getattr(answer, result), rows, columns, row_name, column_name, result,
                 answer.units.get(result, ""), dict(answer.errors))


def _propagation_table(model, time, location, availability, options):
    from . import availability as availability_of, itm

    if model == "itm":
        rows = _axis("time", _START_TIMES if time is None else time)
        columns = _axis("location", _START_LOCATIONS if location is None else location)
        answer = itm(time=rows[:, None], location=columns[None, :], errors="nan", **options)
        return _made(answer, "loss", rows, columns, "time", "location")
    by = [name for name in ("frequency", "distance") if numpy.ndim(options.get(name, 0)) == 1]
    if len(by) != 1:
        raise TypeError("the availability table takes a list of frequencies or of distances as its rows")
    rows = _axis(by[0], options.pop(by[0]))
    columns = _axis("availability", _START_AVAILABILITIES if availability is None else availability)
    answer = availability_of(**{by[0]: rows[:, None]}, target_availability=columns[None, :], errors="nan",
                             **options)
    return _made(answer, "fade_margin", rows, columns, by[0], "availability")
