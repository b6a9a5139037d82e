"""Runs a built program the way an operator would: in a scratch directory with
its calibration file, typed input on standard input and the simulated board's
trace, and hands back the console text, the exit status and the trace.

Where the programs are, and how they are started, comes from the environment:
E2E_BIN_DIR (the folder of the built programs), E2E_EXE_SUFFIX (".exe" for
Windows builds) and E2E_RUNNER (a command to start them with, such as "wine").
"""

import os
import shlex
import subprocess
import tempfile
from dataclasses import dataclass

POWER_UP = ["open 0"] + [f"clear {n}" for n in range(1, 9)] + ["set 3", "set 6"]
POWER_DOWN = ["clear 3", "clear 6"] + [f"clear {n}" for n in range(1, 9)]


def program(name):
    """The command line that starts the built program `name`."""
    bin_dir = os.environ.get("E2E_BIN_DIR")
    if not bin_dir:
        raise RuntimeError("E2E_BIN_DIR must name the folder of the built programs")
    exe = os.path.join(bin_dir, name + os.environ.get("E2E_EXE_SUFFIX", ""))
    return shlex.split(os.environ.get("E2E_RUNNER", "")) + [exe]


def waits_traced():
    """Whether the trace shows the waits: not when a board library writes it."""
    return os.environ.get("E2E_TRACE_WAITS", "1") == "1"


@dataclass
class Run:
    console: str
    status: int
    trace: list
    errors: str = ""


def run(name, stdin=b"", files=None, env=None, timeout=120):
    """Runs program `name` in a fresh directory holding `files` ({name: bytes})."""
    with tempfile.TemporaryDirectory() as work:
        for file_name, content in (files or {}).items():
            with open(os.path.join(work, file_name), "wb") as f:
                f.write(content)
        trace_path = os.path.join(work, "trace.txt")
        run_env = dict(os.environ)
        run_env["BOARD_TRACE"] = trace_path
        run_env.update(env or {})
        trace_path = run_env["BOARD_TRACE"]
        done = subprocess.run(program(name), cwd=work, input=stdin, capture_output=True,
                              env=run_env, timeout=timeout)
        trace = []
        if os.path.exists(trace_path):
            with open(trace_path, "r", newline="") as f:
                trace = f.read().splitlines()
        console = done.stdout.decode("latin-1").replace("\r\n", "\n")
        errors = done.stderr.decode("latin-1").replace("\r\n", "\n")
        return Run(console, done.returncode, trace, errors)


def pulses(output, count, ms=0):
    """The trace of `count` step pulses on `output` with waits of `ms`."""
    return [f"set {output}", f"wait {ms}", f"clear {output}", f"wait {ms}"] * count


def without_waits(trace):
    return [line for line in trace if not line.startswith("wait ")]


def summarise(trace):
    """Folds runs of identical step pulses into one line, so that a difference
    in a long trace shows as a readable difference of a few lines."""
    out = []
    i = 0
    while i < len(trace):
        line = trace[i]
        if line.startswith("set "):
            output = line.split()[1]
            waits = i + 1 < len(trace) and trace[i + 1].startswith("wait ")
            unit = ([line, trace[i + 1], f"clear {output}", trace[i + 1]] if waits
                    else [line, f"clear {output}"])
            count = 0
            while trace[i:i + len(unit)] == unit:
                count += 1
                i += len(unit)
            if count >= 2:
                shown = f"pulse {output}" + (f" {trace[i - 1]}" if waits else "")
                out.append(f"{shown} x{count}")
                continue
            i -= count * len(unit)
        out.append(line)
        i += 1
    return out


def comparable(trace):
    """The trace as the running backend can show it, folded for reading."""
    return summarise(trace if waits_traced() else without_waits(trace))
