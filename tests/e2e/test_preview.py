"""End-to-end facts about the simulated board's preview: what BOARD_REPORT and
BOARD_PLOT say about a run, that BOARD_FAST only drops the sleeping, and that
none of them changes what the programs print."""

import json
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
import xml.etree.ElementTree as ET

from harness import program, run

SAMPLE = b"200 1.0 1\n200 1.0 1\n"
SVG = "{http://www.w3.org/2000/svg}"

# Order -1 with the sample calibration (200 steps/mm) and c = 0.75: 15 iterations,
# the first seven moves of the dragon path, each 1.5 mm = 300 steps, which the
# line drawer emits as 298 pulses.
ORDER_MINUS_ONE = {"iterations": 15,
                   "moves": ["Y+", "X+", "X+", "X+", "Y-", "Y-", "X+"],
                   "pulses_per_move": 298}
POWER_UP_CALLS = 11
POWER_DOWN_CALLS = 10


def expected_report(iterations, moves, pulses_per_move, delay, powered_down=True):
    """The report the outputs of a plotter run must give: per iteration two
    direction writes, per move its pulses, each pulse two calls and two waits."""
    pos = {"X": 0, "Y": 0}
    low = {"X": 0, "Y": 0}
    high = {"X": 0, "Y": 0}
    counts = {"x_positive": 0, "x_negative": 0, "y_positive": 0, "y_negative": 0}
    for move in moves:
        axis, sign = move[0], (1 if move[1] == "+" else -1)
        pos[axis] += sign * pulses_per_move
        low[axis] = min(low[axis], pos[axis])
        high[axis] = max(high[axis], pos[axis])
        counts[f"{axis.lower()}_{'positive' if sign > 0 else 'negative'}"] += pulses_per_move
    pulses = sum(counts.values())
    down = POWER_DOWN_CALLS if powered_down else 0
    return {
        "board_calls": POWER_UP_CALLS + 2 * iterations + 2 * pulses + down,
        "pulses": counts,
        # power-up clears 2 and 5 once, power-down once more
        "direction_writes": {"x": 1 + iterations + (1 if powered_down else 0),
                             "y": 1 + iterations + (1 if powered_down else 0)},
        "position": {"x": pos["X"], "y": pos["Y"]},
        "extent": {"x_min": low["X"], "x_max": high["X"], "y_min": low["Y"], "y_max": high["Y"]},
        "wait_ms": 2 * delay * pulses,
        "run_lines_on": {"3": not powered_down, "6": not powered_down},
        "segments": len(corners(moves, pulses_per_move)) - 1,
    }


def corners(moves, pulses_per_move):
    """The start, every change of direction and the end, in steps."""
    points = [(0, 0)]
    heading = None
    x = y = 0
    for move in moves:
        sign = 1 if move[1] == "+" else -1
        if move[0] == "X":
            x += sign * pulses_per_move
        else:
            y += sign * pulses_per_move
        if move == heading:
            points[-1] = (x, y)
        else:
            points.append((x, y))
        heading = move
    return points if moves else [(0, 0)]


def svg_path(svg_text):
    """The polyline's points and the start marker of a plot."""
    root = ET.fromstring(svg_text)
    polyline = root.find(f".//{SVG}polyline[@id='path']")
    start = root.find(f".//{SVG}circle[@id='start']")
    points = [tuple(int(v) for v in p.split(",")) for p in polyline.get("points").split()]
    return points, (int(start.get("cx")), int(start.get("cy")))


class PreviewRun(unittest.TestCase):
    """Runs a program with BOARD_PLOT and BOARD_REPORT in a scratch folder."""

    def setUp(self):
        if os.environ.get("E2E_EXE_SUFFIX"):
            self.skipTest("Windows builds bind the board library; the preview is the simulated board's")
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        self.plot_path = os.path.join(scratch.name, "run.svg")
        self.report_path = os.path.join(scratch.name, "run.json")

    def preview(self, name, stdin, files, fast=True, extra=None):
        env = {"BOARD_PLOT": self.plot_path, "BOARD_REPORT": self.report_path}
        if fast:
            env["BOARD_FAST"] = "1"
        env.update(extra or {})
        result = run(name, stdin, files, env)
        with open(self.report_path) as f:
            report = json.load(f)
        with open(self.plot_path, encoding="utf-8") as f:
            plot = f.read()
        return result, report, plot


class PlotterPreview(PreviewRun):
    def test_report_is_what_calibration_and_path_imply(self):
        result, report, _ = self.preview("fractrace", b"-1 0.75 3 Y\n", {"stepcfg2.txt": SAMPLE})
        self.assertEqual(result.status, 0)
        self.assertEqual(report, expected_report(delay=3, **ORDER_MINUS_ONE))
        # the trace of the same run agrees on the board calls
        self.assertEqual(report["board_calls"],
                         sum(not line.startswith("wait ") for line in result.trace))

    def test_plot_reproduces_the_moves(self):
        result, report, plot = self.preview("fractrace", b"-1 0.75 0 Y\n", {"stepcfg2.txt": SAMPLE})
        points, start = svg_path(plot)
        expected = corners(ORDER_MINUS_ONE["moves"], ORDER_MINUS_ONE["pulses_per_move"])
        self.assertEqual(points, expected)
        self.assertEqual(start, (0, 0))
        self.assertEqual(points[-1], (report["position"]["x"], report["position"]["y"]))
        self.assertEqual(len(points) - 2, 3)  # turns: up, right, down, right

    def test_waits_are_counted_also_when_slept(self):
        # order -3: one Y move of 298 pulses, 2 x 1 ms each, really slept
        _, report, _ = self.preview("fractrace", b"-3 0.75 1 Y\n", {"stepcfg2.txt": SAMPLE},
                                    fast=False)
        self.assertEqual(report["wait_ms"], 596)
        self.assertEqual(report["position"], {"x": 0, "y": 298})

    def test_larger_order_plot_has_one_corner_per_turn(self):
        # order 3: 127 moves of 300 steps; the picture grows with turns, not steps
        _, report, plot = self.preview("fractrace", b"3 0.75 0 Y\n", {"stepcfg2.txt": SAMPLE})
        points, _ = svg_path(plot)
        self.assertEqual(len(points) - 1, report["segments"])
        self.assertLess(len(points), 128 + 1)
        pulses = sum(report["pulses"].values())
        self.assertEqual(pulses, 127 * 298)
        steps = sum(abs(bx - ax) + abs(by - ay) for (ax, ay), (bx, by) in zip(points, points[1:]))
        self.assertEqual(steps, pulses)

    def test_declined_and_early_ends_still_report_with_run_lines_on(self):
        cases = [("declined", b"5 0.75 0 n\n", {"stepcfg2.txt": SAMPLE}),
                 ("no calibration file", b"", {}),
                 ("bad dirx", b"", {"stepcfg2.txt": b"200 1.0 2\n200 1.0 1\n"})]
        for name, stdin, files in cases:
            with self.subTest(name):
                _, report, plot = self.preview("fractrace", stdin, files)
                self.assertEqual(report["board_calls"], POWER_UP_CALLS)
                self.assertEqual(report["run_lines_on"], {"3": True, "6": True})
                self.assertEqual(report["position"], {"x": 0, "y": 0})
                self.assertEqual(svg_path(plot), ([(0, 0)], (0, 0)))

    def test_plot_renders(self):
        if shutil.which("rsvg-convert") is None:
            self.skipTest("rsvg-convert is not installed (Debian package librsvg2-bin)")
        self.preview("fractrace", b"2 0.75 0 Y\n", {"stepcfg2.txt": SAMPLE})
        png = self.plot_path + ".png"
        subprocess.run(["rsvg-convert", "-o", png, self.plot_path], check=True, timeout=60)
        with open(png, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")


class PreviewLeavesTheProgramAlone(PreviewRun):
    def test_console_status_and_trace_are_the_same_with_any_preview(self):
        stdin = b"0 0.75 0 Y\n"
        files = {"stepcfg2.txt": SAMPLE}
        plain = run("fractrace", stdin, files)
        both = {"BOARD_PLOT": self.plot_path, "BOARD_REPORT": self.report_path}
        for env in ({"BOARD_FAST": "1"}, {"BOARD_PLOT": self.plot_path},
                    {"BOARD_REPORT": self.report_path}, dict(both, BOARD_FAST="1")):
            with self.subTest(sorted(env)):
                other = run("fractrace", stdin, files, env)
                self.assertEqual(other.console, plain.console)
                self.assertEqual(other.status, plain.status)
                self.assertEqual(other.trace, plain.trace)
        # and the preview without a trace
        _, report, _ = self.preview("fractrace", stdin, files, extra={"BOARD_TRACE": ""})
        self.assertEqual(report["board_calls"],
                         sum(not line.startswith("wait ") for line in plain.trace))

    def test_unwritable_paths_are_one_message_each_and_the_run_goes_on(self):
        missing = os.path.join(os.path.dirname(self.plot_path), "no such folder")
        env = dict(os.environ, BOARD_FAST="1", BOARD_TRACE="",
                   BOARD_PLOT=os.path.join(missing, "run.svg"),
                   BOARD_REPORT=os.path.join(missing, "run.json"))
        with tempfile.TemporaryDirectory() as work:
            with open(os.path.join(work, "stepcfg2.txt"), "wb") as f:
                f.write(SAMPLE)
            done = subprocess.run(program("fractrace"), cwd=work, input=b"-1 0.75 0 Y\n",
                                  capture_output=True, env=env, timeout=60)
        plain = run("fractrace", b"-1 0.75 0 Y\n", {"stepcfg2.txt": SAMPLE})
        self.assertEqual(done.returncode, 0)
        self.assertEqual(done.stdout.decode("latin-1"), plain.console)
        errors = done.stderr.decode("latin-1").splitlines()
        self.assertEqual(len(errors), 2, errors)
        self.assertTrue(errors[0].startswith("Board plot: cannot write "), errors)
        self.assertIn("run.svg", errors[0])
        self.assertTrue(errors[1].startswith("Board report: cannot write "), errors)
        self.assertIn("run.json", errors[1])


class JogPreview(PreviewRun):
    """jogpad reads raw keys from its terminal, so it runs on a pseudo-terminal."""

    def setUp(self):
        super().setUp()
        self.command = program("jogpad")
        if not os.path.exists(self.command[-1]):
            self.skipTest(f"jogpad is not built ({self.command[-1]} does not exist)")

    def jog(self, presses):
        """Presses each key once the previous burst has printed its count line,
        checks that line, then ends with p; returns the exit status."""
        import pty  # POSIX only; imported here so Windows hosts can load the module
        env = dict(os.environ, BOARD_FAST="1", BOARD_TRACE="",
                   BOARD_PLOT=self.plot_path, BOARD_REPORT=self.report_path)
        pid, fd = pty.fork()
        if pid == 0:  # child: the pty is its controlling terminal, /dev/tty included
            try:
                os.execve(self.command[0], self.command, env)
            finally:
                os._exit(127)
        seen = b""
        deadline = time.monotonic() + 30

        def read_until(text, after):
            nonlocal seen
            while seen.find(text, after) < 0:
                left = deadline - time.monotonic()
                ready, _, _ = select.select([fd], [], [], max(left, 0))
                if not ready:
                    raise AssertionError(f"jogpad did not print {text!r}; got {seen!r}")
                try:
                    chunk = os.read(fd, 4096)
                except OSError:  # the child closed the terminal
                    chunk = b""
                if not chunk:
                    raise AssertionError(f"jogpad ended before {text!r}; got {seen!r}")
                seen += chunk
            return seen.find(text, after) + len(text)

        try:
            offset = read_until(b"       0        0", 0)
            for key, count_line in presses:
                os.write(fd, key)
                offset = read_until(count_line.encode() + b"\r\n", offset)
            os.write(fd, b"p")
            read_until(b"0.00000", offset)
            _, status = os.waitpid(pid, 0)
            pid = 0
            return os.waitstatus_to_exitcode(status)
        finally:
            if pid:
                os.kill(pid, signal.SIGKILL)
                os.waitpid(pid, 0)
            os.close(fd)

    def test_a_a_z_comma_ends_at_plus_100_minus_100(self):
        # count lines: Y count first, then jogpad's own X count, the other way round
        status = self.jog([(b"a", "       0     -100"), (b"a", "       0     -200"),
                           (b"z", "       0     -100"), (b",", "     100     -100")])
        self.assertEqual(status, 0)
        with open(self.report_path) as f:
            report = json.load(f)
        self.assertEqual(report["position"], {"x": 100, "y": -100})
        self.assertEqual(report["pulses"],
                         {"x_positive": 200, "x_negative": 100, "y_positive": 0, "y_negative": 100})
        self.assertEqual(report["extent"], {"x_min": 0, "x_max": 200, "y_min": -100, "y_max": 0})
        self.assertEqual(report["run_lines_on"], {"3": False, "6": False})
        with open(self.plot_path, encoding="utf-8") as f:
            points, start = svg_path(f.read())
        self.assertEqual(points, [(0, 0), (200, 0), (100, 0), (100, -100)])
        self.assertEqual(start, (0, 0))


if __name__ == "__main__":
    unittest.main()
