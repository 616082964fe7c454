"""The tables the runner writes, built from the arrays the core returns."""

from __future__ import annotations

import numpy as np

from . import _core

SERIES = tuple(_core.series_names)
STEPS = int(_core.step_count)
STATISTICS = ("mean", "sd", "q05", "q50", "q95")


def _pandas():
    import pandas  # imported on first use: `import corvellan` stays quick

    return pandas


def _setting_columns(settings, repeat, parameters):
    """The 29 parameter columns, each setting's row repeated `repeat` times."""
    columns = {}
    for j, parameter in enumerate(parameters):
        column = settings[:, j]
        if parameter.kind != "real":
            column = column.astype(np.int32)
        columns[parameter.name] = np.repeat(column, repeat)
    return columns


def run_frame(series, seed, command):
    frame = _pandas().DataFrame(series, columns=list(SERIES))
    frame.insert(0, "step", np.arange(STEPS, dtype=np.int64))
    frame.attrs.update(seed=seed, command=command)
    return frame


def runs_frame(result, parameters):
    """run,replicate,seed,<the 29 parameters>,step,<the five series>: one row per run and step."""
    values = result["values"]
    replicates = int(result["replicates"])
    runs = values.shape[0]
    run_index = np.arange(runs, dtype=np.int64)
    columns = {
        "run": np.repeat(run_index, STEPS),
        "replicate": np.repeat(run_index % replicates, STEPS),
        "seed": np.repeat(result["seeds"], STEPS),
    }
    columns.update(_setting_columns(result["settings"], replicates * STEPS, parameters))
    columns["step"] = np.tile(np.arange(STEPS, dtype=np.int64), runs)
    by_step = values.transpose(0, 2, 1).reshape(runs * STEPS, len(SERIES))
    for s, name in enumerate(SERIES):
        columns[name] = by_step[:, s]
    frame = _pandas().DataFrame(columns, copy=False)
    frame.attrs.update(seed=result["seed"], replicates=replicates)
    return frame


def summary_frame(result, parameters):
    """point,replicates,baseSeed,<the 29 parameters>,step,<series>_mean,_sd,_q05,_q50,_q95..."""
    statistics = result["statistics"]
    points = statistics.shape[0]
    replicates = int(result["replicates"])
    columns = {
        "point": np.repeat(np.arange(points, dtype=np.int64), STEPS),
        "replicates": np.full(points * STEPS, replicates, dtype=np.int64),
        "baseSeed": np.full(points * STEPS, result["seed"], dtype=np.int32),
    }
    columns.update(_setting_columns(result["settings"], STEPS, parameters))
    columns["step"] = np.tile(np.arange(STEPS, dtype=np.int64), points)
    by_step = statistics.transpose(0, 2, 1, 3).reshape(points * STEPS, len(SERIES) * len(STATISTICS))
    names = [f"{series}_{statistic}" for series in SERIES for statistic in STATISTICS]
    for c, name in enumerate(names):
        columns[name] = by_step[:, c]
    frame = _pandas().DataFrame(columns, copy=False)
    frame.attrs.update(seed=result["seed"], replicates=replicates)
    return frame


def response_frame(result, name):
    columns = [name, "median", "q05", "q95", "mean", "sd", "replicates"]
    frame = _pandas().DataFrame({column: result[column] for column in columns})
    frame.attrs.update(seed=result["seed"], command=result["command"])
    return frame
