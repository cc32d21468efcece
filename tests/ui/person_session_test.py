"""The calculator used as a person uses it: real key presses and mouse clicks
into EggPeriod.exe under Wine, on Wine's own desktop, which draws the caption
and the frame. One scenario per way of ending the program.

Argument: the folder of the Windows programs. Needs an X display.
"""

import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "window_driver"))
import calculator_session as session  # noqa: E402

BIN_DIR = None
# Enter and Tab have nothing to act on, and nothing to show for it: give Wine
# time to handle them before checking that nothing happened.
SETTLE_SECONDS = 0.5
# A long text of digits pasted into the temperature field, and how long the
# window may take to calculate after it: a person waits a few seconds, not
# minutes. Whatever part of it the field keeps reads as 20.
PASTED_CHARACTERS = 8000
PASTE_SECONDS = 5

# Clicked into the temperature field, these keys lead to these texts, with
# Calculate clicked afterwards or not.
TYPING_STEPS = [
    # keys, click Calculate, temperature field, result field
    (["type:12.75"], True, "12.75", "16.7084369659424"),
    (["End"] + ["BackSpace"] * 5 + ["type:20abc"], True, "20abc", "8.38222980499268"),
    (["End"] + ["BackSpace"] * 5 + ["type:5", "Return", "Tab"], False, "5", "8.38222980499268"),
    ([], True, "5", "-270.270263671875"),
]


def pasted_and_calculated(window):
    return (window.controls[session.TEMPERATURE_EDIT].text.startswith("20.")
            and window.controls[session.EGG_PERIOD_EDIT].text == "8.38222980499268")


def geometry(window):
    return {identifier: window.controls[identifier][:4] for identifier in session.ALL_CONTROLS}


class PersonSession(unittest.TestCase):
    def setUp(self):
        self.calculator = session.start_calculator(BIN_DIR)
        self.addCleanup(session.stop, self.calculator.process)
        self.window = self.wait_for(lambda window: True, "the calculator's window")

    def assertEnds(self, how):
        code = session.end_process(self.calculator.process)
        self.assertEqual(code, 0, f"exit code after {how} (None: it did not end)")

    def wait_for(self, condition, what, seconds=session.WAIT_SECONDS):
        return session.wait_for(self.calculator, condition, what, seconds)

    def run_steps(self, window, steps):
        """Runs rows of TYPING_STEPS' shape and returns the window after the last."""
        for keys, click, temperature, period in steps:
            with self.subTest(keys=keys):
                if click:
                    session.calculate(window, keys)
                else:
                    session.enter_keys(window, keys)
                    time.sleep(SETTLE_SECONDS)
                window = self.wait_for(session.fields_read(temperature, period),
                                       f"{temperature!r} and {period!r} after {keys}")
        return window

    def test_types_edits_and_resizes_then_ends_with_alt_f4(self):
        typed = self.run_steps(self.window, TYPING_STEPS)
        placed = geometry(typed)
        session.click_at(*typed.spots["minimize"])
        minimised = self.wait_for(lambda window: window.iconic, "the window to minimise")
        session.click_at(*minimised.spots["minimize"])  # the restore button, when minimised
        restored = self.wait_for(lambda window: not window.iconic, "the window to restore")
        self.assertEqual(geometry(restored), placed, "controls after minimising and restoring")

        left, top, right, bottom = restored.rect
        session.drag(restored.spots["size"], (100, 60))
        resized = self.wait_for(lambda window: window.rect == (left, top, right + 100, bottom + 60),
                                "the window to grow by 100 x 60")
        self.assertEqual(geometry(resized), placed, "controls after resizing")

        self.run_steps(resized, [(["End", "BackSpace", "type:30"], True, "30", "4.96771001815796")])

        session.press("alt+F4")
        self.assertEnds("Alt+F4")

    def test_calculates_then_ends_with_the_exit_button(self):
        self.run_steps(self.window, [(["type:20"], True, "20", "8.38222980499268")])
        session.click_control(self.window, session.EXIT_BUTTON)
        self.assertEnds("clicking Exit")

    def test_calculates_at_once_after_pasting_a_long_text(self):
        with session.clipboard_holding("20." + "0" * (PASTED_CHARACTERS - 3)):
            session.enter_keys(self.window, ["ctrl+v"])
            session.click_control(self.window, session.CALCULATE_BUTTON)
            pasted = self.wait_for(pasted_and_calculated, "the pasted digits and their estimate",
                                   seconds=PASTE_SECONDS)
        session.click_control(pasted, session.EXIT_BUTTON)
        self.assertEnds("clicking Exit")

    def test_ends_with_the_close_box(self):
        session.click_at(*self.window.spots["close"])
        self.assertEnds("clicking the close box")


class FailingSession(unittest.TestCase):
    def test_a_failed_set_up_leaves_no_calculator_running(self):
        class SetUpFails(PersonSession):
            def runTest(self):
                pass

            def wait_for(self, condition, what, seconds=0):
                raise AssertionError("the window never looks right")

        result = unittest.TestResult()
        SetUpFails().run(result)
        self.assertEqual(len(result.failures), 1, "the set-up failed")
        deadline = time.monotonic() + session.WAIT_SECONDS
        while session.calculator_processes(BIN_DIR) and time.monotonic() < deadline:
            time.sleep(session.POLL_SECONDS)
        self.assertEqual(session.calculator_processes(BIN_DIR), set())


if __name__ == "__main__":
    BIN_DIR = sys.argv.pop(1)
    with session.wine_desktop("EggPeriodTest", "800x600"):
        unittest.main(verbosity=2)
