"""jogpad's Windows build under wine, where the test gives it no console: keys
come only from the console itself, never from standard input, so it stops with
its message after a full power-up and power-down, whatever is piped in."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from harness import POWER_UP, POWER_DOWN, run  # noqa: E402


@unittest.skipUnless(os.path.exists(os.path.join(os.environ.get("E2E_BIN_DIR", ""), "jogpad.exe")),
                     "this build has no jogpad.exe")
class WithoutConsole(unittest.TestCase):
    def test_piped_keys_are_not_read_and_the_board_is_powered_down(self):
        result = run("jogpad", b"a,p")
        self.assertEqual(result.console, "\n\nNo console to read keys from. Program terminated.\n\n")
        self.assertEqual(result.status, 1)
        self.assertEqual(result.trace, POWER_UP + POWER_DOWN)


if __name__ == "__main__":
    unittest.main()
