"""Times the browser page in headless Chromium. Not a test: it prints medians.

- Ready: how long from opening the page until it can calculate, against a
  bare page with the same markup and style whose script is one line of the
  formula, loaded in turn with it; and the page's size, gzipped.
- A press: one calculation (the button's whole work: read the fields,
  calculate in the WebAssembly, show the text and its reading).
- The notebook, filled with clutches dated before today: 300, 1,000 and
  5,000 clutches of 120 day entries each, and one clutch of 5,000 entries.
  For each, from the notebook's start: the first screen of cards drawn and
  the whole list drawn, each to the first frame after it; a day entry added
  to the first card, from the click to the first frame after the list shows
  it; the longest task the page ran meanwhile; a round over every clutch;
  and the page's own backup, exported and read back into an empty notebook.

Arguments: the page. Run from the source folder:
    /usr/bin/python3 tests/web/page_benchmark.py build/web/EggPeriod-1.4.1.html
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
RUNS = 5
# Clutches and day entries of each notebook timed.
NOTEBOOKS = [(300, 120), (1000, 120), (5000, 120), (1, 5000)]

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

# Fills the notebook's database (in its version 2, as 1.4.0 kept it) with
# `clutches` clutches of `entries` day entries each, every one dated before
# today and none hatched, so that a round covers them all.
FILL_NOTEBOOK = """
const [clutches, entries, done] = arguments;
const deleting = indexedDB.deleteDatabase("eggperiod");
deleting.onsuccess = () => {
  const request = indexedDB.open("eggperiod", 2);
  request.onupgradeneeded = () => request.result.createObjectStore("clutches", {keyPath: "id"});
  request.onsuccess = () => {
    const transaction = request.result.transaction("clutches", "readwrite");
    const store = transaction.objectStore("clutches");
    const today = new Date();
    const day = (n) => new Date(Date.UTC(today.getFullYear(), today.getMonth(),
      today.getDate() - n)).toISOString().slice(0, 10);
    for (let i = 0; i < clutches; ++i) {
      const laid = entries + 2 + i % 200;
      const log = [];
      for (let j = 0; j < entries; ++j) {
        const t = 15 + (i + j) % 10;
        log.push({date: day(laid - j), lowest: String(t), highest: String(j % 2 ? t + 4 : t)});
      }
      store.put({id: `c${i}`, name: `容器${i}`, laid: day(laid), temperature: String(12 + i % 15),
                 hatched: "", log, created: i, updated: i});
    }
    transaction.oncomplete = () => { request.result.close(); done(); };
  };
};
"""

# Before the page's scripts: the times of the first frame after each of the
# notebook's marks, and the longest task since it was last asked.
WATCH_FRAMES = """
window.benchmark = { frames: {}, longest: 0 };
new PerformanceObserver((list) => {
  for (const entry of list.getEntries()) {
    if (entry.name.startsWith("eggperiod-notebook")) {
      const name = entry.name;
      const count = (benchmark.frames[name] || []).length;
      requestAnimationFrame(() => setTimeout(() => {
        (benchmark.frames[name] = benchmark.frames[name] || [])[count] = performance.now();
      }, 0));
    }
  }
}).observe({ type: "mark", buffered: true });
new PerformanceObserver((list) => {
  for (const entry of list.getEntries()) {
    benchmark.longest = Math.max(benchmark.longest, entry.duration);
  }
}).observe({ type: "longtask", buffered: true });
"""

OPENED = """
const start = performance.getEntriesByName("eggperiod-notebook-start")[0].startTime;
const frames = benchmark.frames;
return frames["eggperiod-notebook-ready"] && frames["eggperiod-notebook-first"]
  ? [frames["eggperiod-notebook-first"][0] - start, frames["eggperiod-notebook-ready"][0] - start,
     benchmark.longest] : null;
"""

# Adds a day entry to the first card and settles with the time from the
# click to the first frame after the list shows it, and the longest task.
TIME_ADD_ENTRY = """
const [day, done] = arguments;
benchmark.longest = 0;
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
  const shown = (benchmark.frames["eggperiod-notebook-shown"] || []).length;
  const start = performance.now();
  item.querySelector('[name="log-add"]').click();
  (function wait() {
    const frames = benchmark.frames["eggperiod-notebook-shown"] || [];
    if (frames[shown] !== undefined) {
      done([frames[shown] - start, benchmark.longest]);
    } else {
      setTimeout(wait, 1);
    }
  })();
})();
"""

# One reading for every unhatched clutch, to the first frame after the list
# shows it.
TIME_ROUND = """
const [day, done] = arguments;
document.getElementById("round-date").value = day;
document.getElementById("round-temperature").value = "19";
for (const box of document.querySelectorAll('[name="round-clutch"]')) {
  box.checked = true;
}
const shown = (benchmark.frames["eggperiod-notebook-shown"] || []).length;
const start = performance.now();
document.getElementById("round-add").click();
(function wait() {
  const frames = benchmark.frames["eggperiod-notebook-shown"] || [];
  if (frames[shown] !== undefined) {
    done(frames[shown] - start);
  } else {
    setTimeout(wait, 1);
  }
})();
"""

TIME_EXPORT = """
const start = performance.now();
document.getElementById("export-json").click();
return performance.now() - start;
"""

EMPTY = ("const request = indexedDB.deleteDatabase('eggperiod');"
         "request.onsuccess = request.onerror = arguments[0];")


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


def median(values, unit="ms"):
    return f"{statistics.median(values):.0f} {unit} (at most {max(values):.0f})"


def time_notebook(driver, folder, clutches, entries):
    """The notebook of `clutches` x `entries`, timed RUNS times."""
    page_test.load(driver)
    page_test.wait_until(lambda: driver.execute_script(
        f"return {page_test.NOTEBOOK_READY}"), "the notebook")
    driver.execute_async_script(FILL_NOTEBOOK, clutches, entries)
    # Opened once, the page keeps the notebook as it keeps its own: the
    # upgrade is not timed.
    page_test.load(driver)
    page_test.wait_until(lambda: driver.execute_script(OPENED), "the notebook upgraded",
                         seconds=120)
    first, whole, longest, adding, adding_longest, rounds = [], [], [], [], [], []
    today = time.strftime("%Y-%m-%d")
    for _ in range(RUNS):
        page_test.load(driver)
        opened = page_test.wait_until(lambda: driver.execute_script(OPENED), "the list drawn",
                                      seconds=60)
        first.append(opened[0])
        whole.append(opened[1])
        longest.append(opened[2])
        added = driver.execute_async_script(TIME_ADD_ENTRY, today)
        adding.append(added[0])
        adding_longest.append(added[1])
        rounds.append(driver.execute_async_script(TIME_ROUND, today))
    downloads = Path(folder) / f"downloads-{clutches}-{entries}"
    driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": str(downloads)})
    exporting = driver.execute_script(TIME_EXPORT)
    backup = page_test.wait_until(lambda: next(downloads.glob("*.json"), None), "a backup",
                                  seconds=60)
    driver.execute_async_script(EMPTY)
    page_test.load(driver)
    page_test.wait_until(lambda: driver.execute_script(
        f"return {page_test.NOTEBOOK_READY}"), "the notebook")
    start = time.perf_counter()
    driver.find_element(page_test.By.ID, "import").send_keys(str(backup))
    page_test.wait_until(lambda: f"追加{clutches}件" in driver.find_element(
        page_test.By.ID, "notebook-status").text, "the backup read", seconds=120)
    importing = (time.perf_counter() - start) * 1000
    print(f"notebook of {clutches} clutches x {entries} entries: first screen {median(first)}, "
          f"whole list {median(whole)}, longest task while opening {median(longest)}; "
          f"a day entry {median(adding)}, longest task {median(adding_longest)}; "
          f"a round {median(rounds)}; backup ({backup.stat().st_size / 1e6:.1f} MB) exported "
          f"in {exporting:.0f} ms and read back in {importing:.0f} ms", flush=True)


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
        print(f"the page gzipped: {gzipped} bytes")
        print(f"one calculation: median {statistics.median(per_calculation):.2f} us "
              f"over {RUNS} runs of {CALCULATIONS}", flush=True)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH_FRAMES})
        for clutches, entries in NOTEBOOKS:
            time_notebook(driver, folder, clutches, entries)
    finally:
        driver.quit()


if __name__ == "__main__":
    main(sys.argv[1])
