"""Times the browser page in headless Chromium. Not a test: it prints medians.

- Ready: how long from opening the page until it can calculate, against a
  bare page with the same markup and style whose script is one line of the
  formula, loaded in turn with it; and the page's size, gzipped.
- A press: one calculation (the button's whole work: read the fields,
  calculate in the WebAssembly, show the text and its reading).
- The notebook with 300 clutches of 120 day entries each: opening it (read,
  work out and sort, show), adding a day entry, one round over every
  unhatched clutch, and a backup's export and import.

Arguments: the page. Run from the source folder:
    /usr/bin/python3 tests/web/page_benchmark.py build/web/EggPeriod-1.4.0.html
"""

import gzip
import re
import statistics
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import page_test  # noqa: E402

LOADS = 40
WARM_UP = 5  # loads not counted, so that the files and the browser are warm
CALCULATIONS = 10000
CLUTCHES = 300
ENTRIES = 120
RUNS = 5

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

# Fills the notebook's database (in its version 2, as the page keeps it) with
# `clutches` clutches of `entries` day entries each, laid over the last year,
# none hatched, so that a round covers them all.
FILL_NOTEBOOK = """
const [clutches, entries, done] = arguments;
const request = indexedDB.open("eggperiod", 2);
request.onupgradeneeded = () => request.result.createObjectStore("clutches", {keyPath: "id"});
request.onsuccess = () => {
  const transaction = request.result.transaction("clutches", "readwrite");
  const store = transaction.objectStore("clutches");
  const day = (n) => new Date(Date.UTC(2026, 0, 1 + n)).toISOString().slice(0, 10);
  for (let i = 0; i < clutches; ++i) {
    const log = [];
    for (let j = 0; j < entries; ++j) {
      const t = 15 + (i + j) % 10;
      log.push({date: day(i + j), lowest: String(t), highest: String(j % 2 ? t + 4 : t)});
    }
    store.put({id: `c${i}`, name: `容器${i}`, laid: day(i), temperature: String(12 + i % 15),
               hatched: "", log, created: i, updated: i});
  }
  transaction.oncomplete = () => { request.result.close(); done(); };
};
"""

# How long the notebook took to open: from its start to its list shown.
NOTEBOOK_OPENING = """
const [start] = performance.getEntriesByName("eggperiod-notebook-start");
const [ready] = performance.getEntriesByName("eggperiod-notebook-ready");
return ready.startTime - start.startTime;
"""

# Settles with the time from `start` until the list is next shown.
UNTIL_SHOWN = """
(function wait() {
  const marks = performance.getEntriesByName("eggperiod-notebook-shown");
  if (marks.length > shown) {
    done(marks[marks.length - 1].startTime - start);
  } else {
    setTimeout(wait, 1);
  }
})();
"""

# Adds a day entry to the first clutch and waits until the list is shown
# from the database again.
TIME_ADD_ENTRY = """
const [day, done] = arguments;
const item = document.querySelector("[data-clutch]");
item.querySelector("details").open = true;
// The clutch's fields are made once its details are open.
(function opened() {
  if (!item.querySelector('[name="log-add"]')) {
    setTimeout(opened, 1);
    return;
  }
  item.querySelector('[name="log-date"]').value = day;
  item.querySelector('[name="log-temperature"]').value = "21";
  const shown = performance.getEntriesByName("eggperiod-notebook-shown").length;
  const start = performance.now();
  item.querySelector('[name="log-add"]').click();
""" + UNTIL_SHOWN + """
})();
"""

# One reading for every unhatched clutch: the round written in one transaction
# and the list shown again.
TIME_ROUND = """
const [day, done] = arguments;
document.getElementById("round-date").value = day;
document.getElementById("round-temperature").value = "19";
for (const box of document.querySelectorAll('[name="round-clutch"]')) {
  box.checked = true;
}
const shown = performance.getEntriesByName("eggperiod-notebook-shown").length;
const start = performance.now();
document.getElementById("round-add").click();
""" + UNTIL_SHOWN + """
"""

TIME_EXPORT = """
const start = performance.now();
document.getElementById("export-json").click();
return performance.now() - start;
"""


def bare_page(page, folder):
    """The page's markup and style with its scripts replaced by one line of
    the formula, and no Content-Security-Policy that would refuse it."""
    text = Path(page).read_text(encoding="utf-8")
    text = re.sub(r'<meta http-equiv="Content-Security-Policy"[^>]*>', "", text)
    text = re.sub(r"<script[^>]*>.*?</script>", "", text, flags=re.DOTALL)
    formula = ("<script>calculate.onclick = () => { period.value = 1 / (temperature.value * "
               "0.0082 - 0.0447); }; performance.mark('eggperiod-ready');</script>")
    bare = Path(folder) / "bare.html"
    bare.write_text(text.replace("</body>", f"{formula}\n</body>"), encoding="utf-8")
    return bare


def ready_time(driver, url):
    driver.get(url)
    page_test.wait_until(lambda: driver.execute_script(
        "return performance.getEntriesByName('eggperiod-ready').length"), "ready")
    return driver.execute_script(
        "return performance.getEntriesByName('eggperiod-ready')[0].startTime")


def main(page):
    page_test.PAGE = page
    folder = tempfile.mkdtemp(prefix="eggperiod-benchmark-")
    bare_url = bare_page(page, folder).as_uri()
    page_url = Path(page).resolve().as_uri()
    driver = page_test.browser(1024, 768)
    try:
        ready, bare = [], []
        for load in range(WARM_UP + LOADS):
            times = ready_time(driver, page_url), ready_time(driver, bare_url)
            if load >= WARM_UP:
                ready.append(times[0])
                bare.append(times[1])
        gzipped = len(gzip.compress(Path(page).read_bytes(), 9))
        per_calculation = [driver.execute_async_script(TIME_CALCULATIONS, CALCULATIONS)
                           / CALCULATIONS * 1000 for _ in range(RUNS)]
        print(f"ready after opening: median {statistics.median(ready):.1f} ms "
              f"(min {min(ready):.1f}, max {max(ready):.1f}) over {LOADS} loads; bare page "
              f"{statistics.median(bare):.1f} ms; "
              f"{statistics.median(ready) / statistics.median(bare):.2f} times")
        print(f"the page gzipped: {gzipped / 1024:.1f} KB")
        print(f"one calculation: median {statistics.median(per_calculation):.2f} us "
              f"over {RUNS} runs of {CALCULATIONS}")

        driver.execute_async_script(FILL_NOTEBOOK, CLUTCHES, ENTRIES)
        opening, adding, rounds = [], [], []
        for run in range(RUNS):
            page_test.load(driver)
            page_test.wait_until(lambda: driver.execute_script(
                f"return {page_test.NOTEBOOK_READY}"), "the notebook")
            opening.append(driver.execute_script(NOTEBOOK_OPENING))
            adding.append(driver.execute_async_script(TIME_ADD_ENTRY, f"2026-12-0{run + 1}"))
            rounds.append(driver.execute_async_script(TIME_ROUND, f"2026-12-0{run + 1}"))
        downloads = Path(folder) / "downloads"
        driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                               {"behavior": "allow", "downloadPath": str(downloads)})
        exporting = [driver.execute_script(TIME_EXPORT) for _ in range(RUNS)]
        backup = page_test.wait_until(lambda: next(downloads.glob("*.json"), None), "a backup")
        importing = []
        for _ in range(RUNS):
            driver.execute_async_script(
                "const request = indexedDB.deleteDatabase('eggperiod');"
                "request.onsuccess = request.onerror = arguments[0];")
            page_test.load(driver)
            page_test.wait_until(lambda: driver.execute_script(
                f"return {page_test.NOTEBOOK_READY}"), "the notebook")
            start = time.perf_counter()
            driver.find_element(page_test.By.ID, "import").send_keys(str(backup))
            page_test.wait_until(lambda: "追加" in driver.find_element(
                page_test.By.ID, "notebook-status").text, "the backup read")
            importing.append((time.perf_counter() - start) * 1000)
        print(f"notebook of {CLUTCHES} clutches x {ENTRIES} entries: opened in median "
              f"{statistics.median(opening):.1f} ms (max {max(opening):.1f}); an entry added "
              f"in {statistics.median(adding):.1f} ms (max {max(adding):.1f}); a round over "
              f"{CLUTCHES} clutches in {statistics.median(rounds):.1f} ms "
              f"(max {max(rounds):.1f}); "
              f"backup exported in {statistics.median(exporting):.1f} ms and read back in "
              f"{statistics.median(importing):.0f} ms (max {max(importing):.0f})")
    finally:
        driver.quit()


if __name__ == "__main__":
    main(sys.argv[1])
