"""corvellan.run and corvellan.parameters against corvellan-run."""

import numpy as np
import pytest

import corvellan

SINGLE_RUNS = [
    (1, {}),
    (-7, {"paramJ": 0.3, "sanctionsOn": 1}),
    (2147483647, {"distR": 2, "sigmaR": 0.3, "agentCount": 37, "requestedCountR": 20}),
    (42, {"paramX": -0.25, "distE": 1, "corrET": 0.5, "slopeM": 3}),
]


def option_args(seed, parameters):
    args = ["--seed", seed]
    for name, value in parameters.items():
        args += [f"--{name}", value]
    return args


@pytest.mark.parametrize("seed,parameters", SINGLE_RUNS)
def test_series_equal_the_runners_bit_for_bit(runner_csv, seed, parameters):
    result = corvellan.run(seed=seed, **parameters)
    expected = runner_csv(*option_args(seed, parameters))
    assert result.series.dtype == np.float32
    assert result.series.shape == (corvellan.STEPS, len(corvellan.SERIES))
    # Nine significant digits read back as exactly the float the model computed.
    as_float = expected[list(corvellan.SERIES)].to_numpy(dtype=np.float64).astype(np.float32)
    np.testing.assert_array_equal(result.series.view(np.uint32), as_float.view(np.uint32))


@pytest.mark.parametrize("seed,parameters", SINGLE_RUNS)
def test_command_is_the_runners_comment_line(runner, seed, parameters):
    result = corvellan.run(seed=seed, **parameters)
    first_line = runner(*option_args(seed, parameters)).splitlines()[0]
    assert first_line == "# " + result.command
    frame = result.to_frame()
    assert frame.attrs == {"seed": seed, "command": result.command}
    assert list(frame.columns) == ["step", *corvellan.SERIES]


def test_frame_on_request_and_clock_seed():
    frame = corvellan.run(frame=True, paramJ=0.4)
    again = corvellan.run(seed=frame.attrs["seed"], paramJ=0.4)
    np.testing.assert_array_equal(frame[list(corvellan.SERIES)].to_numpy(), again.series)


REFUSALS = [
    ({"foo": 1}, 'unexpected argument "foo"'),
    ({"paramJ": "abc"}, '--paramJ: expected a number, got "abc"'),
    ({"distR": 5}, "--distR: 5 is outside 0 to 2"),
    ({"distR": 0.5}, '--distR: expected a whole number, got "0.5"'),
    ({"paramJ": 7}, "Inappropriate parameter J"),
    ({"paramJ": float("nan")}, "--paramJ:"),
    ({"seed": 2**31}, "--seed:"),
]


@pytest.mark.parametrize("given,message", REFUSALS)
def test_refusals_carry_the_runners_message(given, message):
    with pytest.raises(ValueError) as refused:
        corvellan.run(**({"seed": 1} | given))
    assert str(refused.value).startswith(message)


@pytest.mark.parametrize("option,value", [("paramJ", 7), ("distR", 5), ("paramJ", "abc")])
def test_refusal_is_the_runners_error_line(option, value):
    import os
    import subprocess

    done = subprocess.run([os.environ["CORVELLAN_RUN"], "--seed", "1", f"--{option}", str(value)],
                          capture_output=True, text=True,
                          env={k: v for k, v in os.environ.items() if k != "LD_PRELOAD"})
    with pytest.raises(ValueError) as refused:
        corvellan.run(seed=1, **{option: value})
    assert done.stderr.strip() == "corvellan-run: " + str(refused.value)


def test_parameters_are_the_runners_table(runner):
    help_text = runner("--help")
    assert len(corvellan.parameters) == 29
    for name, parameter in corvellan.parameters.items():
        assert f"--{name}" in help_text
        assert parameter.bounds.startswith("default ")
        assert parameter.kind in {"real", "integer", "kind", "flag"}
    defaults = corvellan.run(seed=3).parameters
    assert defaults == {name: p.default for name, p in corvellan.parameters.items()}
    assert corvellan.parameters["distR"][3:5] == (0, 2)
    assert corvellan.parameter_table().loc["paramJ", "maximum"] == 1.0
