"""Shared fixtures: the runner of the same build, and its output read back."""

import io
import os
import subprocess

import pandas as pd
import pytest

SANITIZED = os.environ.get("CORVELLAN_SANITIZED") == "1"


@pytest.fixture(scope="session")
def runner():
    """Runs corvellan-run with args and returns its standard output."""
    program = os.environ.get("CORVELLAN_RUN")
    if not program:
        pytest.skip("CORVELLAN_RUN names no runner")
    # The runner is not built with the sanitizers' preload in mind.
    environment = {k: v for k, v in os.environ.items() if k != "LD_PRELOAD"}

    def run(*args):
        done = subprocess.run([program, *map(str, args)], capture_output=True, text=True,
                              env=environment, check=False)
        assert done.returncode == 0, done.stderr
        return done.stdout

    return run


@pytest.fixture(scope="session")
def runner_csv(runner):
    """The runner's CSV output for args as a DataFrame, text kept as text."""

    def read(*args):
        return pd.read_csv(io.StringIO(runner(*args)), comment="#", dtype=str)

    return read
