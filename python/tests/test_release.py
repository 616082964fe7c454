"""The GIL released, Ctrl-C, and memory over many calls."""

import os
import signal
import subprocess
import sys
import textwrap
import threading
import time

import numpy as np
import pytest

import corvellan

from conftest import SANITIZED

timing = pytest.mark.skipif(SANITIZED, reason="the sanitizers' overhead distorts times and memory")


def python_steps(seconds):
    """How many steps of a pure-Python loop this thread makes in seconds."""
    steps = 0
    end = time.perf_counter() + seconds
    while time.perf_counter() < end:
        steps += 1
    return steps


@timing
def test_python_threads_go_on_while_a_batch_runs():
    f = corvellan.model_function(["paramJ"], seed=1, jobs=1)
    x = np.linspace(0.1, 0.9, 20_000).reshape(-1, 1)
    idle = python_steps(0.5)
    batch = threading.Thread(target=f, args=(x,))
    batch.start()
    busy = python_steps(0.5)
    still_running = batch.is_alive()
    batch.join()
    assert still_running
    # Holding the GIL, the batch would leave this thread next to no steps; the
    # machine's other load can only cost it a share of one core.
    assert busy > 0.2 * idle, (busy, idle)


def resident_bytes():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * os.sysconf("SC_PAGE_SIZE")


@timing
def test_a_hundred_thousand_calls_leave_memory_flat():
    f = corvellan.model_function(["paramJ"], seed=1, jobs=1, agentCount=10)
    x = np.array([[0.3]])
    for i in range(5_000):
        corvellan.run(seed=i, agentCount=10)
        f(x)
    before = resident_bytes()
    for i in range(100_000):
        corvellan.run(seed=i, agentCount=10, paramJ=0.25)
        if i % 10 == 0:
            f(x)
    growth = resident_bytes() - before
    assert growth < 4 * 1024 * 1024, growth


INTERRUPTED_SCRIPT = textwrap.dedent("""
    import sys, time, numpy as np, corvellan
    f = corvellan.model_function(["paramJ"], seed=1, jobs=2)
    x = np.full((400_000, 1), 0.5)
    print("started", flush=True)
    start = time.perf_counter()
    try:
        f(x)
    except KeyboardInterrupt:
        print(f"interrupted {time.perf_counter() - start:.2f}", flush=True)
        sys.exit(0)
    print("finished", flush=True)
""")


def test_ctrl_c_stops_a_long_call_cleanly():
    child = subprocess.Popen([sys.executable, "-c", INTERRUPTED_SCRIPT], stdout=subprocess.PIPE,
                             text=True, env=os.environ)
    assert child.stdout.readline().strip() == "started"
    time.sleep(1.0)
    child.send_signal(signal.SIGINT)
    output, _ = child.communicate(timeout=120)
    assert child.returncode == 0
    words = output.split()
    assert words[0] == "interrupted", output
    # The whole batch takes tens of seconds; stopping waits only for the runs under way.
    assert float(words[1]) < 10.0, output
