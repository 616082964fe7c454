"""runs, summary, band, response and model_function against corvellan-run's batch mode."""

import numpy as np
import pandas as pd
import pytest

import corvellan

# A grid the runner sweeps, and the same points listed in its order (the last
# axis varies fastest).
SWEEP = ["--sweep", "paramJ=0.2,0.6", "--sweep", "distR=0,1"]
POINTS = [{"paramJ": 0.2, "distR": 0}, {"paramJ": 0.2, "distR": 1},
          {"paramJ": 0.6, "distR": 0}, {"paramJ": 0.6, "distR": 1}]
BASE = {"sigmaR": 0.3, "agentCount": 50}
BASE_ARGS = ["--sigmaR", "0.3", "--agentCount", "50"]

SETTINGS_FORMS = {
    "list of dicts": POINTS,
    "dict of arrays": {"paramJ": np.array([0.2, 0.2, 0.6, 0.6]), "distR": [0, 1, 0, 1]},
    "DataFrame": pd.DataFrame(POINTS),
}


def assert_same_rows(ours, theirs, float32_columns):
    assert list(ours.columns) == list(theirs.columns)
    assert len(ours) == len(theirs)
    for column in ours.columns:
        expected = theirs[column].to_numpy(dtype=np.float64)
        got = ours[column].to_numpy()
        if column in float32_columns:
            assert got.dtype == np.float32
            np.testing.assert_array_equal(got.view(np.uint32),
                                          expected.astype(np.float32).view(np.uint32), column)
        else:
            np.testing.assert_array_equal(got.astype(np.float64), expected, column)


@pytest.mark.parametrize("form", SETTINGS_FORMS)
@pytest.mark.parametrize("replicates,seed,jobs", [(1, 5, 1), (3, -99, 2), (2, 123456789, None)])
def test_runs_are_the_runners_batch_rows(runner_csv, form, replicates, seed, jobs):
    ours = corvellan.runs(SETTINGS_FORMS[form], replicates=replicates, seed=seed, jobs=jobs, **BASE)
    theirs = runner_csv("--seed", seed, "--replicates", replicates, *BASE_ARGS, *SWEEP)
    assert_same_rows(ours, theirs, set(corvellan.SERIES))
    assert ours.attrs["seed"] == seed


def as_runner_text(values):
    return [format(v, ".9g") for v in values]


@pytest.mark.parametrize("replicates,seed", [(1, 3), (5, 17)])
def test_summary_is_the_runners_summary(runner_csv, replicates, seed):
    ours = corvellan.summary(POINTS, replicates=replicates, seed=seed, **BASE)
    theirs = runner_csv("--seed", seed, "--replicates", replicates, "--summary", *BASE_ARGS,
                        *SWEEP)
    assert list(ours.columns) == list(theirs.columns)
    statistics = [c for c in ours.columns if "_" in c]
    for column in statistics:
        assert as_runner_text(ours[column]) == list(theirs[column]), column
    labels = [c for c in ours.columns if c not in statistics]
    np.testing.assert_array_equal(ours[labels].to_numpy(np.float64),
                                  theirs[labels].to_numpy(np.float64))


def test_band_is_the_summary_of_one_setting(runner_csv):
    ours = corvellan.band(replicates=6, seed=11, paramJ=0.4)
    theirs = runner_csv("--seed", 11, "--replicates", 6, "--summary", "--paramJ", 0.4)
    for column in [c for c in ours.columns if "_" in c]:
        assert as_runner_text(ours[column]) == list(theirs[column]), column


@pytest.mark.parametrize("series", ["firstOrderRate", "meanPropensity"])
def test_response_final_values_are_the_runners_last_step(runner_csv, series):
    ours = corvellan.response("medianR", [0.2, 0.5, 0.8], series=series, replicates=5, seed=8,
                              paramJ=0.3)
    command = ours.attrs["command"].split()[1:]
    theirs = runner_csv(*command, "--summary")
    last = theirs[theirs["step"] == "100"]
    for ours_column, theirs_suffix in [("median", "q50"), ("q05", "q05"), ("q95", "q95"),
                                       ("mean", "mean"), ("sd", "sd")]:
        assert as_runner_text(ours[ours_column]) == list(last[f"{series}_{theirs_suffix}"])
    assert list(ours["replicates"]) == [5, 5, 5]


def in_order_mean(values):
    total = 0.0
    for v in values:
        total += float(v)
    return total / len(values)


MEASURES = [
    ("firstOrderRate", lambda series: float(series[100])),
    ("secondOrderRate@50", lambda series: float(series[50])),
    ("meanPropensity@81:100", lambda series: in_order_mean(series[81:101])),
]


@pytest.mark.parametrize("measure,of_run", MEASURES)
@pytest.mark.parametrize("replicates", [1, 3])
def test_model_function_is_the_runners_runs_measured(runner_csv, measure, of_run, replicates):
    series_name = measure.split("@")[0]
    f = corvellan.model_function(["paramJ", "distR"], measure=measure, seed=21,
                                 replicates=replicates, sanctionsOn=1, **BASE)
    x = np.array([[p["paramJ"], p["distR"]] for p in POINTS])
    y = f(x)
    theirs = runner_csv("--seed", 21, "--replicates", replicates, "--sanctionsOn", 1, *BASE_ARGS,
                        *SWEEP)
    values = theirs[series_name].to_numpy(np.float64).astype(np.float32)
    per_run = values.reshape(len(POINTS), replicates, corvellan.STEPS)
    expected = [in_order_mean([of_run(run) for run in point]) for point in per_run]
    assert y.dtype == np.float64
    np.testing.assert_array_equal(y, np.array(expected))
    np.testing.assert_array_equal(f(x.tolist()), y)


BATCH_REFUSALS = [
    (lambda: corvellan.runs([{"paramJ": 0.1}, {"paramJ": 7}], seed=1),
     "setting 1: --paramJ: 7 fails the model's check \"Inappropriate parameter J\""),
    (lambda: corvellan.runs({"nope": [1]}, seed=1), 'unexpected argument "nope"'),
    (lambda: corvellan.runs(POINTS, replicates=0, seed=1), "--replicates: 0 is outside 1 or more"),
    (lambda: corvellan.runs(POINTS, jobs=999, seed=1), "--jobs: 999 is outside 1 to 256"),
    (lambda: corvellan.runs({"paramJ": [0.1, 0.2], "distR": [0]}, seed=1),
     "column distR has 1 values for 2 settings"),
    (lambda: corvellan.model_function(["paramJ"], measure="nothing"), 'measure "nothing"'),
    (lambda: corvellan.model_function(["paramJ"], measure="firstOrderRate@101"),
     'measure "firstOrderRate@101": no step 101'),
    (lambda: corvellan.model_function(["paramJ", "distR"])(np.ones((2, 3))),
     "X must have one column per name"),
    (lambda: corvellan.model_function(["distR"])(np.array([[0.5]])),
     'setting 0: --distR: expected a whole number, got "0.5"'),
    (lambda: corvellan.response("paramJ", [0.5, 2]), "--paramJ: 2 fails the model's check"),
]


@pytest.mark.parametrize("call,message", BATCH_REFUSALS)
def test_batch_refusals(call, message):
    with pytest.raises(ValueError) as refused:
        call()
    assert str(refused.value).startswith(message)
