"""End-to-end facts about fractrace: calibration file and typed input in,
console text, exit status and board trace out."""

import os
import unittest

from harness import POWER_UP, POWER_DOWN, comparable, pulses, run

SAMPLE = b"200 1.0 1\n200 1.0 1\n"

PROMPTS = ("\nDragon Curve\n\n"
           "Input Dragon Curve order n (int 5): "
           "\nInput c (float 0.75 mm): "
           "\nInput stepper motor delay (int 0 ms): ")
CONFIRM = "\nStart milling or plotting (Y/n return)? "
DECLINED = "\n\nProgram terminated.\n\n"
CLOSING = "\n     0.00000\n"


def summary(n, c, delay, x=(200, 1.0, 1), y=(200, 1.0, 1)):
    return ("\n\n"
            "Dragon curve order:  %6d\n"
            "c:                    %9.3f mm\n"
            "Stepper motor delay: %6d delay units\n\n"
            "stepsx mmx dirx:     %6d %9.3f %3d\n"
            "stepsy mmy diry:     %6d %9.3f %3d\n" % ((n, c, delay) + x + y))


def dialogue(n, c, delay, x=(200, 1.0, 1), y=(200, 1.0, 1)):
    """Everything printed up to the confirmation prompt."""
    return PROMPTS + summary(n, c, delay, x, y) + CONFIRM


def refusal(sentence):
    return "\n\n" + sentence + " Program terminated.\n\n"


def plot(stdin, calibration=SAMPLE, env=None):
    return run("fractrace", stdin, {"stepcfg2.txt": calibration}, env)


class NormalRuns(unittest.TestCase):
    def test_whole_console_text_of_a_short_run(self):
        result = plot(b"-3\n0.75\n0\nY\n", b"200 1.0 1 200 1.0 0\n")
        self.assertEqual(result.console,
                         "\nDragon Curve\n\n"
                         "Input Dragon Curve order n (int 5): \n"
                         "Input c (float 0.75 mm): \n"
                         "Input stepper motor delay (int 0 ms): \n\n"
                         "Dragon curve order:      -3\n"
                         "c:                        0.750 mm\n"
                         "Stepper motor delay:      0 delay units\n\n"
                         "stepsx mmx dirx:        200     1.000   1\n"
                         "stepsy mmy diry:        200     1.000   0\n"
                         "\nStart milling or plotting (Y/n return)? "
                         "\n\n       4\n"
                         "\n     0.00000\n")
        self.assertEqual(result.status, 0)
        expected = POWER_UP + ["set 2", "clear 5"] * 3 + pulses(4, 298) + POWER_DOWN
        self.assertEqual(comparable(result.trace), comparable(expected))

    def test_framing_by_order(self):
        one_standing = ["set 2", "set 5"]
        cases = [
            # n, last line(s) of the run, the calls between power-up and power-down
            (-5, "\n\n       1\n", []),
            (-100, "\n\n       1\n", []),
            (-4, "\n\n       2\n", one_standing),
            (26, "\n\n       1\n", []),
            (2147483647, "\n\n       1\n", []),
        ]
        for n, lines, calls in cases:
            with self.subTest(n=n):
                result = plot(b"%d 0.75 0 Y\n" % n)
                self.assertEqual(result.console, dialogue(n, 0.75, 0) + lines + CLOSING)
                self.assertEqual(result.status, 0)
                self.assertEqual(comparable(result.trace),
                                 comparable(POWER_UP + calls + POWER_DOWN))

    def test_order_five_progress_lines_and_moves(self):
        result = plot(b"5 0.75 0 Y\n")
        progress = "".join("%8d\n" % i for i in range(128, 1024, 128))
        self.assertEqual(result.console,
                         dialogue(5, 0.75, 0) + "\n\n" + progress + "    1024\n" + CLOSING)
        body = result.trace[len(POWER_UP):-len(POWER_DOWN)]
        self.assertEqual(result.trace[:len(POWER_UP)], POWER_UP)
        self.assertEqual(result.trace[-len(POWER_DOWN):], POWER_DOWN)
        # 1023 iterations of two direction writes, 511 moves of 298 pulses.
        self.assertEqual(sum(line in ("set 2", "clear 2") for line in body), 1023)
        self.assertEqual(sum(line in ("set 1", "set 4") for line in body), 511 * 298)

    def test_a_delay_paces_every_pulse(self):
        result = plot(b"-2 0.75 1 Y\n", b"200 1.0 0 200 1.0 1\n")
        self.assertEqual(result.status, 0)
        standing = ["clear 2", "set 5"]
        expected = (POWER_UP + standing * 3 + pulses(4, 298, 1) + standing + pulses(1, 298, 1)
                    + standing + standing + pulses(1, 298, 1) + standing + POWER_DOWN)
        self.assertEqual(comparable(result.trace), comparable(expected))

    def test_typing_styles_answer_the_same_reads(self):
        inputs = [
            b"-4 0.75 0 Y\n",         # all typed ahead on one line
            b"-4\n0.75\n0\nY\n",
            b"\n\n-4\n\n  0.75\t\n0\r\nY",  # return alone answers nothing; no final line end
            b"-4 +0.75 +0 Yes\n",
        ]
        for stdin in inputs:
            with self.subTest(stdin=stdin):
                result = plot(stdin)
                self.assertEqual(result.console,
                                 dialogue(-4, 0.75, 0) + "\n\n       2\n" + CLOSING)
                self.assertEqual(result.status, 0)

    def test_calibration_layouts_read_alike(self):
        files = [b"200 1.0 1 333 2.0 0",
                 b"200 1.0 1\r\n333 2.0 0\r\n",
                 b"\xef\xbb\xbf200\r\n1.0\r\n1\r\n333\r\n2.0\r\n0\r\n",
                 b"200 1 1\n333 2 0\n# anything after the sixth number\n"]
        for content in files:
            with self.subTest(content=content):
                result = plot(b"-5 0.75 0 Y\n", content)
                self.assertEqual(result.console,
                                 dialogue(-5, 0.75, 0, (200, 1.0, 1), (333, 2.0, 0))
                                 + "\n\n       1\n" + CLOSING)

    def test_numbers_keep_a_decimal_point_whatever_the_locale(self):
        result = plot(b"-5 0.75 0 Y\n", env={"LC_ALL": "de_DE.UTF-8", "LANG": "de_DE.UTF-8"})
        self.assertEqual(result.console, dialogue(-5, 0.75, 0) + "\n\n       1\n" + CLOSING)


class Confirmation(unittest.TestCase):
    def test_only_an_upper_case_y_starts_the_run(self):
        for answer in [b"Y", b"Yes", b"YES", b"Y" + b"x" * 40, b"Y" * 5000]:
            with self.subTest(answer=answer[:10]):
                result = plot(b"-4 0.75 0 " + answer + b"\n")
                self.assertEqual(result.console,
                                 dialogue(-4, 0.75, 0) + "\n\n       2\n" + CLOSING)
                self.assertEqual(result.status, 0)

    def test_any_other_answer_declines_and_leaves_the_board_powered_up(self):
        for answer in [b"y\n", b"yes\n", b"n\n", b"N\n", b"\n", b""]:
            with self.subTest(answer=answer):
                result = plot(b"5 0.75 0 " + answer)
                self.assertEqual(result.console, dialogue(5, 0.75, 0) + DECLINED)
                self.assertEqual(result.status, 0)
                self.assertEqual(result.trace, POWER_UP)


class EarlyStops(unittest.TestCase):
    def test_missing_calibration_file(self):
        result = run("fractrace", b"5 0.75 0 Y\n")
        self.assertEqual(result.console, "File stepcfg2.txt not found.\n")
        self.assertEqual(result.status, 1)
        self.assertEqual(result.trace, POWER_UP)

    def test_bad_calibration_files_stop_before_any_prompt(self):
        cases = [
            (b"200 1.0 2\n200 1.0 1\n", "dirx not 0 or 1."),
            (b"200 1.0 -1\n200 1.0 1\n", "dirx not 0 or 1."),
            (b"200 1.0 2\n200 1.0 2\n", "dirx not 0 or 1."),
            (b"200 1.0 1\n200 1.0 5\n", "diry not 0 or 1."),
            (b"200 1.0 1\n200 1.0\n", "diry missing in stepcfg2.txt."),
            (b"", "stepsx missing in stepcfg2.txt."),
            (b"200 1,0 1\n200 1.0 1\n", "mmx not a number."),
            (b"200 1.0 1\n200.5 1.0 1\n", "stepsy not a whole number."),
            (b"4294967496 1.0 1\n200 1.0 1\n", "stepsx out of range."),
            (b"200 0.0 1\n200 1.0 1\n", "mmx is 0."),
            (b"200 1.0 1\n200 0 1\n", "mmy is 0."),
            (b"200 1e-320 1\n200 1.0 1\n", "stepsx/mmx not a finite number of steps per mm."),
        ]
        for content, sentence in cases:
            with self.subTest(content=content):
                result = plot(b"5 0.75 0 Y\n", content)
                self.assertEqual(result.console, refusal(sentence))
                self.assertEqual(result.status, 1)
                self.assertEqual(result.trace, POWER_UP)

    def test_unusable_typed_values_stop_the_dialogue_at_once(self):
        n_prompt = PROMPTS.split("\nInput c")[0]
        c_prompt = PROMPTS.split("\nInput stepper")[0]
        cases = [
            (b"", n_prompt, "n missing at end of input."),
            (b"5abc 0.75 0 Y\n", n_prompt, "n not a whole number."),
            (b"5.0 0.75 0 Y\n", n_prompt, "n not a whole number."),
            (b"2147483648 0.75 0 Y\n", n_prompt, "n out of range."),
            (b"-2147483649 0.75 0 Y\n", n_prompt, "n out of range."),
            (b"5\n", c_prompt, "c missing at end of input."),
            (b"5 0,75 0 Y\n", c_prompt, "c not a number."),
            (b"5 inf 0 Y\n", c_prompt, "c not a number."),
            (b"5 1e999 0 Y\n", c_prompt, "c not a finite number."),
            (b"5 1e7 0 Y\n", c_prompt, "c too large for the calibration: "
                                       "one move would exceed 2147483645 steps."),
            (b"5 -1e7 0 Y\n", c_prompt, "c too large for the calibration: "
                                        "one move would exceed 2147483645 steps."),
            (b"5 0.75\n", PROMPTS, "delay missing at end of input."),
            (b"5 0.75 -1 Y\n", PROMPTS, "delay below 0."),
            (b"5 0.75 1ms Y\n", PROMPTS, "delay not a whole number."),
            (b"5 0.75 4294967296 Y\n", PROMPTS, "delay out of range."),
        ]
        for stdin, shown, sentence in cases:
            with self.subTest(stdin=stdin):
                result = plot(stdin)
                self.assertEqual(result.console, shown + refusal(sentence))
                self.assertEqual(result.status, 1)
                self.assertEqual(result.trace, POWER_UP)

    def test_a_move_that_just_fits_is_accepted(self):
        # 200 steps per mm, c = 5e6 mm: one move is 2e9 steps; order -5 moves nothing.
        result = plot(b"-5 5e6 0 Y\n")
        self.assertEqual(result.status, 0)
        self.assertTrue(result.console.endswith("\n\n       1\n" + CLOSING))


class SimulatedBoardTrace(unittest.TestCase):
    @unittest.skipIf(os.environ.get("E2E_RUNNER"), "the board library writes the trace there")
    def test_an_unwritable_trace_is_reported_and_the_run_goes_on(self):
        result = plot(b"-4 0.75 0 Y\n", env={"BOARD_TRACE": "/nonexistent/dir/trace.txt"})
        self.assertEqual(result.console, dialogue(-4, 0.75, 0) + "\n\n       2\n" + CLOSING)
        self.assertEqual(result.status, 0)
        self.assertIn("/nonexistent/dir/trace.txt", result.errors)
        self.assertEqual(result.errors.count("\n"), 1)

    @unittest.skipIf(os.environ.get("E2E_RUNNER"), "the board library writes the trace there")
    def test_no_trace_variable_writes_no_file(self):
        result = plot(b"-4 0.75 0 Y\n", env={"BOARD_TRACE": ""})
        self.assertEqual(result.status, 0)
        self.assertEqual(result.errors, "")


if __name__ == "__main__":
    unittest.main()
