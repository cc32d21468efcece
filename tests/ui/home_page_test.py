"""The credit line shows the address that the build setting EGGPERIOD_HOME_PAGE
gives: the program is configured and built with another address in a scratch
folder, started, and its bottom line read from the running window.

Arguments: the source folder. Needs an X display, and WINEPREFIX and the
Japanese locale set as the test command sets them.
"""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "window_driver"))
import calculator_session as session  # noqa: E402

SOURCE = None
ADDRESS = "https://beetles.example.org/egg/"


class HomePageSetting(unittest.TestCase):
    def test_credit_line_shows_the_configured_address(self):
        with tempfile.TemporaryDirectory(prefix="eggperiod-home-page-") as build:
            subprocess.run(["cmake", "-S", SOURCE, "-B", build, "-DEGGPERIOD_TESTS=OFF",
                            f"-DCMAKE_TOOLCHAIN_FILE={SOURCE}/cmake/mingw-w64.cmake",
                            f"-DEGGPERIOD_HOME_PAGE={ADDRESS}"],
                           check=True, stdout=subprocess.DEVNULL)
            subprocess.run(["cmake", "--build", build, "-j2", "--target", "EggPeriod",
                            "calculator_probe"], check=True, stdout=subprocess.DEVNULL)
            bin_dir = Path(build) / "bin"
            expected = f"卵期間推定電卓のページ（{ADDRESS}）"
            calculator = session.start_calculator(bin_dir)
            try:
                window = session.wait_for(
                    calculator, lambda window: window.controls[session.CREDIT_LINE].text == expected,
                    f"the credit line {expected!r}")
                session.click_control(window, session.EXIT_BUTTON)
                self.assertEqual(session.end_process(calculator.process), 0)
            finally:
                session.stop(calculator.process)


if __name__ == "__main__":
    SOURCE = sys.argv.pop(1)
    unittest.main(verbosity=2)
