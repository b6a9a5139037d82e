"""End-to-end facts about jogpad: key bytes typed into its terminal in; console
text, exit status, board trace and the terminal's mode out.

jogpad reads the controlling terminal itself, so each run gets a pseudo-terminal
of its own and is started the way an interactive shell starts a job: in its own
process group, in the foreground, below a session leader."""

import fcntl
import os
import resource
import select
import signal
import subprocess
import tempfile
import termios
import time
import unittest

from harness import POWER_DOWN, POWER_UP, comparable, program, pulses

START = ("\nUse the keys a z and , . to run the stepper motors 100 steps at the time.\n\n"
         "Quit program by pressing p.\n\n"
         "       0        0\n\n")
CLOSING = "\n     0.00000\n"

# The board calls of one burst per key: direction once, then 100 pulses with wait 0.
BURST = {
    "a": ["set 2"] + pulses(1, 100),
    "z": ["clear 2"] + pulses(1, 100),
    ".": ["set 5"] + pulses(4, 100),
    ",": ["clear 5"] + pulses(4, 100),
}

# Only runs of the native build can be given a terminal here.
NATIVE = os.name == "posix" and not os.environ.get("E2E_EXE_SUFFIX") \
    and not os.environ.get("E2E_RUNNER")
PATIENCE = 5  # seconds before a run that never answers is given up on


def counts(y, x):
    """A count line: the Y count first."""
    return f"{y:8d} {x:8d}\n"


class Terminal:
    """One jogpad run on a pseudo-terminal; the test holds the master side
    (the keyboard and the screen) and a slave descriptor to read the mode."""

    def __init__(self, ignore_hangup=False):
        self.work = tempfile.TemporaryDirectory()
        self.trace_path = os.path.join(self.work.name, "trace.txt")
        self.master, self.slave = os.openpty()
        self.mode_before = termios.tcgetattr(self.slave)
        self.screen = b""
        pid_read, pid_write = os.pipe()
        self.leader = os.fork()
        if self.leader == 0:
            try:
                os.close(pid_read)
                self._lead(pid_write, ignore_hangup)
            finally:
                os._exit(127)
        os.close(pid_write)
        with os.fdopen(pid_read) as pid_pipe:
            self.pid = int(pid_pipe.read())

    def _lead(self, pid_write, ignore_hangup):
        """The session leader: owns the terminal, runs jogpad as its foreground
        job and ends with jogpad's status (128 + signal for a signal)."""
        os.close(self.master)
        os.setsid()
        fcntl.ioctl(self.slave, termios.TIOCSCTTY, 0)
        if ignore_hangup:
            signal.signal(signal.SIGHUP, signal.SIG_IGN)
        env = dict(os.environ, BOARD_TRACE=self.trace_path)
        command = program("jogpad")
        child = os.fork()
        if child == 0:
            try:
                os.setpgid(0, 0)
                signal.signal(signal.SIGTTOU, signal.SIG_IGN)
                os.tcsetpgrp(self.slave, os.getpgrp())
                # What a shell hands a job: default dispositions but for ignored hang-ups.
                for sig in (signal.SIGTTOU, signal.SIGPIPE, signal.SIGINT):
                    signal.signal(sig, signal.SIG_DFL)
                resource.setrlimit(resource.RLIMIT_CORE, (0, 0))
                for fd in (0, 1, 2):
                    os.dup2(self.slave, fd)
                os.chdir(self.work.name)
                os.execve(command[0], command, env)
            finally:
                os._exit(127)
        try:
            os.setpgid(child, child)
        except OSError:
            pass  # the child has done it and gone on to exec
        os.write(pid_write, str(child).encode())
        os.close(pid_write)
        _, status = os.waitpid(child, 0)
        code = os.waitstatus_to_exitcode(status)
        os._exit(code if code >= 0 else 128 - code)

    def type(self, keys):
        os.write(self.master, keys.encode("latin-1"))

    def console(self):
        return self.screen.decode("latin-1").replace("\r\n", "\n")

    def expect(self, text):
        """Reads the screen until it ends with `text`."""
        deadline = time.monotonic() + PATIENCE
        while not self.console().endswith(text):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.master], [], [], left)[0]:
                raise AssertionError(f"screen never showed {text!r}; it shows {self.console()!r}")
            self.screen += os.read(self.master, 4096)

    def mode(self):
        return termios.tcgetattr(self.slave)

    def finish(self, hung_up=False):
        """Waits for the end; returns (status, console, trace, terminal mode
        after). The status is negative for a signal, as subprocess gives it."""
        deadline = time.monotonic() + PATIENCE
        while True:
            done, status = os.waitpid(self.leader, os.WNOHANG)
            if done:
                break
            if time.monotonic() > deadline:
                os.kill(self.pid, signal.SIGKILL)
                os.waitpid(self.leader, 0)
                raise AssertionError(f"jogpad did not end; screen: {self.console()!r}")
            time.sleep(0.02)
        code = os.waitstatus_to_exitcode(status)
        mode_after = None if hung_up else self.mode()
        os.close(self.slave)
        if not hung_up:
            # With every slave closed the screen ends: read it to the last byte.
            while True:
                try:
                    chunk = os.read(self.master, 4096)
                except OSError:
                    break
                if not chunk:
                    break
                self.screen += chunk
            os.close(self.master)
        trace = []
        if os.path.exists(self.trace_path):
            with open(self.trace_path, newline="") as f:
                trace = f.read().splitlines()
        self.work.cleanup()
        status = -(code - 128) if code > 128 else code
        return status, self.console(), trace, mode_after

    def stopped(self):
        with open(f"/proc/{self.pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] == "T"


def wait_until(condition, what):
    deadline = time.monotonic() + PATIENCE
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(f"never saw {what}")
        time.sleep(0.01)


@unittest.skipUnless(NATIVE, "needs the native build on a POSIX system")
class Keys(unittest.TestCase):
    """Keys typed ahead are handled one code at a time, in order, after the
    start-up text; p ends with power-down and the closing line."""

    CASES = [
        # (what, keys typed before p, bursts in order, count lines)
        ("p alone", "", [], []),
        ("a", "a", ["a"], [counts(0, -100)]),
        ("comma then full stop", ",.", [",", "."], [counts(100, 0), counts(0, 0)]),
        ("both motors, Y count first", "aa.z", ["a", "a", ".", "z"],
         [counts(0, -100), counts(0, -200), counts(-100, -200), counts(-100, -100)]),
        ("upper case and other keys ignored", "AZP x1\r\t\x04\x00qZz", ["z"],
         [counts(0, 100)]),
        # Up arrow is ESC [ A: three codes, none a jog key. Alt+a is ESC a: a.
        ("escape sequences act code by code", "\x1b[A\x1ba\x1bOP", ["a"], [counts(0, -100)]),
    ]

    def test_key_table(self):
        for what, keys, bursts, lines in self.CASES:
            with self.subTest(what):
                term = Terminal()
                term.expect(START)
                term.type(keys + "p")
                term.expect(CLOSING)
                status, console, trace, mode_after = term.finish()
                self.assertEqual(status, 0)
                self.assertEqual(console, START + "".join(lines) + CLOSING)
                expected = POWER_UP + [c for key in bursts for c in BURST[key]] + POWER_DOWN
                self.assertEqual(comparable(trace), comparable(expected))
                self.assertEqual(mode_after, term.mode_before)

    def test_keys_are_not_echoed_and_not_held_for_a_line(self):
        term = Terminal()
        term.expect(START)
        mode = term.mode()
        self.assertFalse(mode[3] & (termios.ICANON | termios.ECHO))
        self.assertTrue(mode[3] & termios.ISIG)
        term.type("z")
        term.expect(counts(0, 100))
        term.type("p")
        term.expect(CLOSING)
        term.finish()


@unittest.skipUnless(NATIVE, "needs the native build on a POSIX system")
class WaysOut(unittest.TestCase):
    """Every end gives the terminal its mode back; a signal ends jogpad by its
    default action, with no power-down and no closing line."""

    SIGNALS = [
        # (what, key byte typed or None, signal sent by kill or None, signal that ends it)
        ("Ctrl-C", "\x03", None, signal.SIGINT),
        ("Ctrl-\\", "\x1c", None, signal.SIGQUIT),
        ("kill -TERM", None, signal.SIGTERM, signal.SIGTERM),
        ("kill -HUP", None, signal.SIGHUP, signal.SIGHUP),
    ]

    def test_signal_ends(self):
        for what, key, sent, ending in self.SIGNALS:
            with self.subTest(what):
                term = Terminal()
                term.expect(START)
                term.type("a")
                term.expect(counts(0, -100))
                if key is not None:
                    term.type(key)
                else:
                    os.kill(term.pid, sent)
                status, console, trace, mode_after = term.finish()
                self.assertEqual(status, -ending)
                self.assertEqual(mode_after, term.mode_before)
                self.assertEqual(console, START + counts(0, -100))
                # The trace may be cut short by the signal, but never goes past the burst.
                so_far = POWER_UP + BURST["a"]
                self.assertEqual(trace, so_far[:len(trace)])

    @unittest.skipUnless(os.path.exists("/proc/self/stat"), "needs /proc to see a stop")
    def test_ctrl_z_gives_the_terminal_back_until_resumed(self):
        term = Terminal()
        term.expect(START)
        term.type("a")
        term.expect(counts(0, -100))
        term.type("\x1a")
        wait_until(term.stopped, "jogpad stopped")
        self.assertEqual(term.mode(), term.mode_before)
        os.kill(term.pid, signal.SIGCONT)
        wait_until(lambda: not term.mode()[3] & termios.ICANON, "keys taken over again")
        self.assertFalse(term.mode()[3] & termios.ECHO)
        term.type("zp")
        term.expect(CLOSING)
        status, console, trace, mode_after = term.finish()
        self.assertEqual(status, 0)
        self.assertEqual(console, START + counts(0, -100) + counts(0, 0) + CLOSING)
        expected = POWER_UP + BURST["a"] + BURST["z"] + POWER_DOWN
        self.assertEqual(comparable(trace), comparable(expected))
        self.assertEqual(mode_after, term.mode_before)

    def test_hang_up_with_hang_up_signals_ignored_stops_the_motors(self):
        # Under nohup no signal comes; the terminal just goes away. jogpad must
        # not spin on a dead terminal: it powers down and fails.
        term = Terminal(ignore_hangup=True)
        term.expect(START)
        term.type("a")
        term.expect(counts(0, -100))
        os.close(term.master)
        status, _, trace, _ = term.finish(hung_up=True)
        self.assertEqual(status, 1)
        self.assertEqual(comparable(trace), comparable(POWER_UP + BURST["a"] + POWER_DOWN))


@unittest.skipUnless(NATIVE, "needs the native build on a POSIX system")
class NoConsole(unittest.TestCase):
    def test_without_a_terminal_it_refuses_and_powers_down(self):
        with tempfile.TemporaryDirectory() as work:
            trace_path = os.path.join(work, "trace.txt")
            done = subprocess.run(program("jogpad"), cwd=work, stdin=subprocess.DEVNULL,
                                  capture_output=True, start_new_session=True,
                                  env=dict(os.environ, BOARD_TRACE=trace_path), timeout=PATIENCE)
            with open(trace_path, newline="") as f:
                trace = f.read().splitlines()
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.stdout.decode("latin-1"),
                         "\n\nNo console to read keys from. Program terminated.\n\n")
        self.assertEqual(trace, POWER_UP + POWER_DOWN)


if __name__ == "__main__":
    unittest.main()
