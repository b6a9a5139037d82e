"""End-to-end facts about fractrace: calibration file and typed input in,
console text, exit status and board trace out."""

import unittest

from harness import POWER_UP, POWER_DOWN, comparable, pulses, run

SAMPLE = b"200 1.0 1\n200 1.0 1\n"


class NormalRuns(unittest.TestCase):
    def test_order_minus_three_draws_one_y_move(self):
        result = run("fractrace", b"-3 0.75 0 Y\n", {"stepcfg2.txt": b"200 1.0 1 200 1.0 0\n"})
        self.assertEqual(result.status, 0)
        self.assertTrue(result.console.endswith("\n\n       4\n\n     0.00000\n"))
        expected = (POWER_UP + ["set 2", "clear 5"] * 3 + pulses(4, 298) + POWER_DOWN)
        self.assertEqual(comparable(result.trace), comparable(expected))


if __name__ == "__main__":
    unittest.main()
