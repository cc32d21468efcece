"""Run by the run command on a virtual display: opens the calculator on Wine's
own desktop, types a temperature, clicks Calculate and saves a picture of the
window. Prints the result field's text.

Arguments: the folder of the Windows programs, the temperature, the picture's path.
"""

import subprocess
import sys
import time

import calculator_session as session

# The result field repaints after its text is set: give Wine a moment to draw.
PAINT_SECONDS = 1


def main(bin_dir, temperature, picture):
    with session.wine_desktop("EggPeriod", "640x480"):
        calculator = session.start_calculator(bin_dir)
        try:
            session.calculate(session.wait_for(calculator, lambda window: True, "the window"),
                              ["type:" + temperature])
            window = session.wait_for(
                calculator, lambda window: window.controls[session.EGG_PERIOD_EDIT].text != "",
                "a result")
            print(f"Result: {window.controls[session.EGG_PERIOD_EDIT].text}", file=sys.stderr)
            time.sleep(PAINT_SECONDS)
            left, top, right, bottom = window.rect
            subprocess.run(["import", "-window", "root", "-crop",
                            f"{right - left}x{bottom - top}+{left}+{top}", "+repage", picture],
                           check=True)
            session.press("alt+F4")
            session.end_process(calculator.process)
        finally:
            session.stop(calculator.process)

if __name__ == "__main__":
    main(*sys.argv[1:4])
