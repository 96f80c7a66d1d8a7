"""Long runs release the GIL and stop when asked: by the cancel callable, by
Ctrl-C, by an exception from a callback. The module works on afterwards."""
import os
import signal
import subprocess
import threading
import time

import pytest

import zenphal
from conftest import BENCH_DATA, PYTHON

# Two RNase P RNAs of 377 and 350 bases: their decomposition takes seconds.
SLOW = (BENCH_DATA / "rnasep-a.dbn", BENCH_DATA / "rnasep-b.dbn")
# How long a stop may take: the search checks between probes and within long
# aligner calls, which take milliseconds; the rest is a loaded machine.
PROMPT = 3.0


def test_cancel_stops_the_search_and_raises_cancelled():
    started = time.monotonic()
    asked = []

    def cancel():
        asked.append(time.monotonic())
        return time.monotonic() - started > 0.3

    with pytest.raises(zenphal.Cancelled):
        zenphal.decompose(*SLOW, cancel=cancel)
    assert time.monotonic() - asked[-1] < PROMPT
    assert len(asked) >= 5, "asked every few milliseconds"
    event = threading.Event()
    event.set()
    with pytest.raises(zenphal.Cancelled):
        zenphal.decompose(*SLOW, cancel=event.is_set)
    # And then the module computes as before.
    assert len(zenphal.decompose("example:5", "example:6").polygons) == 26


def test_ctrl_c_raises_keyboard_interrupt_promptly():
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    started = time.monotonic()
    try:
        with pytest.raises(KeyboardInterrupt):
            zenphal.decompose(*SLOW)
    finally:
        timer.cancel()
    assert time.monotonic() - started < 0.3 + PROMPT
    assert len(zenphal.decompose("example:5", "example:6").polygons) == 26


def test_an_exception_from_progress_stops_the_search_and_propagates():
    calls = []

    def progress(percent, polygons):
        calls.append((percent, polygons))
        if len(calls) == 3:
            raise RuntimeError("enough")

    with pytest.raises(RuntimeError, match="enough"):
        zenphal.decompose(*SLOW, progress=progress)
    assert len(calls) == 3


def test_progress_is_called_on_the_calling_thread_and_ends_at_100():
    calls = []
    d = zenphal.decompose("example:3", "example:4", mismatch=(0, 10), gap=(0, 10),
                          progress=lambda percent, polygons: calls.append((percent, polygons, threading.get_ident())))
    assert calls[0][:2] == (0, 0)
    assert calls[-1][:2] == (100, len(d.polygons))
    assert all(0 <= p <= 99 for p, _, _ in calls[:-1])
    assert [p for p, _, _ in calls] == sorted(p for p, _, _ in calls)
    assert {t for _, _, t in calls} == {threading.get_ident()}


def test_the_gil_is_released_while_the_search_runs():
    stop = threading.Event()
    outcome = []

    def run():
        try:
            zenphal.decompose(*SLOW, cancel=stop.is_set)
        except zenphal.Cancelled:
            outcome.append("cancelled")

    worker = threading.Thread(target=run)
    worker.start()
    count, until = 0, time.monotonic() + 0.5
    while time.monotonic() < until:
        count += 1
    stop.set()
    worker.join(timeout=PROMPT + 1)
    assert not worker.is_alive()
    assert outcome == ["cancelled"]
    # Python ran freely meanwhile; had the search held the GIL, this loop
    # would have waited for the whole search and then found its time up.
    assert count > 10000


def test_ctrl_c_in_a_script_ends_it_as_python_does(tmp_path):
    script = tmp_path / "long.py"
    script.write_text(
        "import sys, zenphal\n"
        f"print('started', flush=True)\n"
        f"zenphal.decompose({str(SLOW[0])!r}, {str(SLOW[1])!r})\n"
        "print('finished')\n")
    process = subprocess.Popen([PYTHON, str(script)], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                               env=dict(os.environ, PYTHONPATH=os.path.dirname(os.path.dirname(zenphal.__file__))))
    assert process.stdout.readline() == b"started\n"
    time.sleep(0.3)
    sent = time.monotonic()
    process.send_signal(signal.SIGINT)
    out, err = process.communicate(timeout=30)
    assert time.monotonic() - sent < PROMPT
    assert b"finished" not in out
    assert process.returncode == -signal.SIGINT  # Python ends by the signal after its traceback
    assert err.decode().rstrip().endswith("KeyboardInterrupt"), err.decode()
