"""Times the browser page in headless Chromium: how long from opening the page
until it can calculate, and how long one calculation takes (the button's
whole work: read the field, calculate in the WebAssembly, show the text and
its reading). Not a test: it prints medians.

Arguments: the page. Run from the source folder:
    /usr/bin/python3 tests/web/page_benchmark.py build/web/EggPeriod-1.2.0.html
"""

import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import page_test  # noqa: E402

LOADS = 20
CALCULATIONS = 10000

# Presses the calculate button CALCULATIONS times; each result is shown before
# the next.
TIME_CALCULATIONS = """
const [count, done] = arguments;
const button = document.getElementById("calculate");
const field = document.getElementById("temperature");
const temperatures = ["20", "15", "10", "25", "30", "12.75", "5.5", "-3"];
const start = performance.now();
(async () => {
  for (let i = 0; i < count; ++i) {
    field.value = temperatures[i % temperatures.length];
    button.click();
    await null;
  }
  done(performance.now() - start);
})();
"""


def main(page):
    page_test.PAGE = page
    driver = page_test.browser(1024, 768)
    try:
        ready = []
        for _ in range(LOADS):
            page_test.load(driver)
            ready.append(driver.execute_script(
                "return performance.getEntriesByName('eggperiod-ready')[0].startTime"))
        per_calculation = [driver.execute_async_script(TIME_CALCULATIONS, CALCULATIONS)
                           / CALCULATIONS * 1000 for _ in range(5)]
        print(f"ready after opening: median {statistics.median(ready):.1f} ms "
              f"(min {min(ready):.1f}, max {max(ready):.1f}) over {LOADS} loads")
        print(f"one calculation: median {statistics.median(per_calculation):.2f} us "
              f"over 5 runs of {CALCULATIONS}")
    finally:
        driver.quit()


if __name__ == "__main__":
    main(sys.argv[1])
