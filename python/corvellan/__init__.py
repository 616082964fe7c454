"""corvellan: the volunteering model and its analyses from Python.

Every function runs the compiled model itself (the same code, seeds and
numbers as the ``corvellan-run`` program) and returns numpy arrays or pandas
DataFrames:

    parameters              the 29 parameters: name, kind, default, bounds, meaning
    run(seed, **p)          one run: its five series (float32), seed and re-run command
    runs(settings, ...)     many settings with replicates: the runner's batch rows
    summary(settings, ...)  per setting and step over the replicates: mean, sd, quantiles
    band(replicates, ...)   the same for one setting (the window's band)
    response(name, values)  a response sweep: one measure over replicates per value
    model_function(names)   f(X) -> y over an n x d matrix, for sensitivity libraries

Parameters are given by their option names (``paramJ=0.3``). A value is read
and checked exactly as ``corvellan-run --paramJ 0.3`` reads it: an unknown
name or a refused value raises ValueError with the runner's message. Seeds
follow the runner's batch mode: setting g, replicate r of a call with seed S
runs with the seed ``corvellan-run --seed S --sweep ...`` gives grid point g,
replicate r, so a list of settings that is a sweep's grid in order repeats
that sweep run for run. seed=None takes the clock's, as the runner does; the
seed used is in the result (``Run.seed``, ``frame.attrs["seed"]``).

Batches run on all cores (``jobs`` threads) with the GIL released; Ctrl-C
stops a long call: the runs under way finish and KeyboardInterrupt is raised.

Example::

    import corvellan
    r = corvellan.run(seed=1, paramJ=0.3)
    r.series.shape              # (101, 5)
    r.command                   # 'corvellan-run --seed 1 --paramJ 0.3 ...'
    df = corvellan.runs({"paramJ": [0.1, 0.5, 0.9]}, replicates=4, seed=7)
    f = corvellan.model_function(["paramJ", "medianR"], measure="firstOrderRate@81:100")
    y = f([[0.2, 0.5], [0.8, 0.5]])
"""

from __future__ import annotations

import collections
import types
from collections.abc import Mapping

import numpy as np

from . import _core, _frames
from ._core import ModelFunction, Setting

__all__ = [
    "Parameter",
    "Run",
    "ModelFunction",
    "Setting",
    "SERIES",
    "STEPS",
    "parameters",
    "parameter_table",
    "run",
    "runs",
    "summary",
    "band",
    "response",
    "model_function",
]

SERIES = _frames.SERIES
"""The five series, in the order of the columns of every table."""

STEPS = _frames.STEPS
"""Time points of a run: steps 0 to 100."""

Parameter = collections.namedtuple(
    "Parameter", "name kind default minimum maximum meaning bounds"
)
Parameter.__doc__ = """One parameter of a run.

name     its option name (``paramJ``), also its column in every table
kind     "real", "integer", "kind" (0 Constant, 1 Normal, 2 Log-Normal) or "flag" (0 or 1)
default  its value when not given
minimum, maximum  inclusive bounds (the model's own check where it makes one); None when open
meaning  what it is
bounds   the runner's summary of default and range, as --help prints it
"""

parameters = types.MappingProxyType(
    {row[0]: Parameter(*row) for row in _core.parameter_rows()}
)
"""The 29 parameters by name, in the order the model takes them (read-only)."""

_PARAMETER_ROWS = tuple(parameters.values())


def parameter_table():
    """The parameters as a DataFrame, one row each, indexed by name."""
    return _frames._pandas().DataFrame(_PARAMETER_ROWS, columns=Parameter._fields).set_index("name")


class Run:
    """One run: ``series`` (float32, steps by series: 101 x 5, columns as SERIES),
    the ``seed`` it ran with and its checked ``setting``. ``command`` repeats it with
    corvellan-run; ``to_frame()`` gives the runner's CSV as a DataFrame."""

    __slots__ = ("series", "seed", "setting")

    def __init__(self, series, seed, setting):
        self.series = series
        self.seed = seed
        self.setting = setting

    @property
    def parameters(self):
        """All 29 parameters of the run by name."""
        return self.setting.values()

    @property
    def command(self):
        """The corvellan-run command that repeats the run (the CSV's comment line)."""
        return self.setting.command(self.seed)

    def to_frame(self):
        """step and the five series, one row per step; attrs hold seed and command."""
        return _frames.run_frame(self.series, self.seed, self.command)

    def __array__(self, dtype=None):
        return self.series if dtype is None else self.series.astype(dtype)

    def __repr__(self):
        return f"<corvellan.Run seed={self.seed}: {self.setting.short_command(self.seed)}>"


def run(seed=None, *, frame=False, **parameters):
    """One run of the model.

    seed: any 32-bit integer; None takes the clock's (the runner's default).
    parameters: any of corvellan.parameters by name; the others keep their defaults.
    frame: True returns ``Run.to_frame()`` instead of the Run.

    Returns a Run: ``series`` float32 (101 steps x 5 series, as computed), ``seed``,
    ``command``. Raises ValueError with the runner's message for an unknown name,
    a refused value or a failed model check.
    """
    result = Run(*_core.run(parameters, seed))
    return result.to_frame() if frame else result


def _columns(settings):
    """(columns by name, number of settings) of a DataFrame, a dict of arrays or a list of dicts."""
    if settings is None:
        return {}, 1
    if hasattr(settings, "to_dict") and hasattr(settings, "columns"):  # a DataFrame
        return {str(c): settings[c].to_numpy() for c in settings.columns}, len(settings)
    if isinstance(settings, Mapping):
        columns = {str(k): v if isinstance(v, np.ndarray) else list(v) for k, v in settings.items()}
        if not columns:
            return {}, 1
        return columns, len(next(iter(columns.values())))
    rows = list(settings)
    names = list(dict.fromkeys(name for row in rows for name in row))
    return {name: [row.get(name) for row in rows] for name in names}, len(rows)


def runs(settings=None, replicates=1, seed=None, jobs=None, **parameters):
    """Every run of many settings, as the runner's batch writes them.

    settings: a DataFrame, a dict of equal-length arrays, or a list of dicts, one
      setting per row (names from corvellan.parameters; a missing value or None
      keeps the base's). None runs the base alone.
    replicates: runs per setting, each with its own derived seed.
    seed: the batch's base seed (None: the clock's); setting g, replicate r runs
      with the seed corvellan-run's batch gives grid point g, replicate r.
    jobs: threads (None: every core). The result does not depend on it.
    parameters: the base every setting starts from.

    Returns the DataFrame of ``corvellan-run --sweep ... --replicates K``: columns
    run, replicate, seed, the 29 parameters, step and the five series (float32),
    one row per run and step; attrs["seed"] holds the base seed.
    """
    columns, count = _columns(settings)
    result = _core.runs(columns, count, parameters, replicates, seed, jobs)
    return _frames.runs_frame(result, _PARAMETER_ROWS)


def summary(settings=None, replicates=16, seed=None, jobs=None, **parameters):
    """Per setting and step, over its replicates: mean, sample standard deviation
    and the 5, 50 and 95 % quantiles of each series, the numbers of
    ``corvellan-run --summary``. Arguments as for runs().

    Columns: point, replicates, baseSeed, the 29 parameters, step and
    <series>_mean, _sd, _q05, _q50, _q95 for each series (float64).
    """
    columns, count = _columns(settings)
    result = _core.summary(columns, count, parameters, replicates, seed, jobs)
    return _frames.summary_frame(result, _PARAMETER_ROWS)


def band(replicates=16, seed=None, jobs=None, **parameters):
    """The band of one setting: its replicates' statistics per step, as
    ``corvellan-run --seed S --replicates K --summary`` gives them (and the
    window's band for the same seed and replicates). Columns as summary()."""
    return summary(None, replicates=replicates, seed=seed, jobs=jobs, **parameters)


def response(name, values, series="firstOrderRate", measure="final", replicates=16, seed=None,
             jobs=None, **parameters):
    """A response sweep: the parameter `name` over `values`, the others as given.

    Each value runs `replicates` times (seeded as the batch seeds a sweep's grid
    points); of each run one measure of `series` is taken: "final", its value at
    the last step, or "late_mean", its mean over steps 81 to 100.

    Returns one row per value: name, median, q05, q95, mean, sd, replicates;
    attrs["command"] holds the corvellan-run command that makes the same runs.
    """
    result = _core.response(name, values, parameters, series, measure, replicates, seed, jobs)
    return _frames.response_frame(result, name)


def model_function(names, measure="firstOrderRate", seed=0, replicates=1, jobs=None,
                   **parameters):
    """A model function f(X) -> y for sensitivity and exploratory-modelling libraries.

    names: the d parameters the columns of X set; the other parameters are the
      defaults with `parameters` applied.
    measure: "SERIES" (its value at the last step), "SERIES@STEP" or
      "SERIES@FIRST:LAST" (its mean over those steps), SERIES one of corvellan.SERIES.
    seed: the base seed of every call (row i, replicate r runs with the seed the
      batch gives setting i, replicate r), so the same X always gives the same y.
    replicates: runs per row; y is their mean measure.
    jobs: threads (None: every core).

    f(X) takes an n x d array (or a list of rows) and returns y, float64 of
    length n; the runs go on all cores with the GIL released. Values are
    checked as the runner checks them: ValueError names the row.
    """
    if isinstance(names, str):
        names = [names]
    return ModelFunction(list(names), measure, seed, replicates, jobs, parameters)
