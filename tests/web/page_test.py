"""The browser page as a person uses it, with real key presses and clicks: the
built file opened from disk and the site served on this machine, in Chromium,
Firefox and WebKit, the site also offline; then, in headless Chromium, the
file's accessibility, printing and layout on a phone, and the site installed
and updated; and the site's own files.

Arguments: the page, the site's folder, and the folder for the screenshots.
WebKit needs an X display: run it under xvfb-run.
"""

import atexit
import base64
import datetime
import json
import queue
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import warnings
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

PAGE = SITE = SHOTS = None
HERE = Path(__file__).resolve().parent
AXE = HERE / "node_modules" / "axe-core" / "axe.min.js"
FIREFOX_BRIDGE = HERE / "firefox_bridge.mjs"
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
WAIT_SECONDS = 10
BRIDGE_SECONDS = 60  # the bridge gives up on a command after 30 s
PHONE_SIZE = (390, 844)
SMALLEST_TOUCH_TARGET = 44  # CSS pixels
NO_DEVELOPMENT = ("この水温では卵は発育しません。卵が発育するのは、水温が約5.45℃より高いときです"
                  "（①の「約5℃」を詳しく書いた値です）。")
TWENTY_DEGREES = "8.38222980499268"

# The temperature field emptied with End and Backspace, then a text typed,
# sent with Enter or a click on the button, and what the field, the result and
# its reading must then show.
SESSION = [
    # typed, how it is sent, field, result, reading
    ("12.75", "enter", "12.75", "16.7084369659424", "約16.7日"),
    ("20abc", "click", "20abc", TWENTY_DEGREES,
     "約8.4日\n入力の先頭の「20」だけを数として読み、20℃として計算しました。"),
    ("２０", "click", "20", TWENTY_DEGREES, "約8.4日"),
    ("５．５", "enter", "5.5", "2500", "約2,500日（約6.8年）"),
    # What a Japanese keyboard and copied text bring, converted as it arrives.
    ("２０。５", "enter", "20.5", "8.10372734069824", "約8.1日"),
    ("ー５", "enter", "-5", "-11.6686115264893", NO_DEVELOPMENT),
    ("\u200B20", "enter", "20", TWENTY_DEGREES, "約8.4日"),
    ("\u3000２０", "enter", "20", TWENTY_DEGREES, "約8.4日"),
    ("  20", "enter", "20", TWENTY_DEGREES, "約8.4日"),
]
# Laying date and temperature, and the hatch date shown: its datetime and
# words, which the page follows with how far the date is from today.
HATCH_DATES = [
    ("2026-06-01", "20", "2026-06-09", "2026年6月9日（火）ごろ"),
]
# The page's clock in the Chromium tests that set it: 2026-06-05, a Friday,
# a minute before midnight.
CLOCK = (2026, 6, 5, 23, 59)
# Lowest and highest temperature, laid 2026-06-01, and the range's dates and
# words, seen on CLOCK's day.
HATCH_RANGES = [
    ("23", "18", ["2026-06-08", "2026-06-11"],
     "水温が18～23℃のあいだなら、早ければ2026年6月8日（月）ごろ（あと3日）、"
     "遅ければ2026年6月11日（木）ごろ（あと6日）に孵化する見込みです。"),
]
# The page's fields and controls in the order Tab reaches them from the top.
TAB_ORDER = ["temperature", "laid", "calculate", "range-summary", "export-json", "export-csv",
             "print-list", "import", "quick-table-summary"]
# Temperatures and names of clutches saved one after another, and the names
# in the notebook's order: the shortest wait first.
NOTEBOOK_SAVES = [("12", "B"), ("25", "C"), ("20", "A")]
NOTEBOOK_ORDER = ["C", "A", "B"]
NOTEBOOK_READY = "performance.getEntriesByName('eggperiod-notebook-ready').length"
NAMES = "[...document.querySelectorAll('#notebook .clutch-name')].map((name) => name.textContent)"
# Clutches as 1.3.0 kept them in its database (version 1): the day entries as
# one text. A: laid 2026-06-01 at 20 degrees, 18 degrees on day 1, then 15 to
# 22: t = 2 + (1 - 0.1193 - 0.1029) / 0.1070 = 9.27 days.
VERSION_1_CLUTCHES = [
    {"id": "m1a-1", "name": "A", "laid": "2026-06-01", "temperature": "20", "hatched": "",
     "log": "2026-06-02,18,18;2026-06-03,15,22", "created": 1, "updated": 1},
    {"id": "m1b-2", "name": "B", "laid": "2026-05-20", "temperature": "20",
     "hatched": "2026-05-29", "log": "", "created": 2, "updated": 2},
]
# Clutches 1.3.0 listed that 1.4.0 showed only as records it could not show:
# a name with a pasted line separator, an id with a space, a day entry on a
# date not in the calendar.
VERSION_1_ODD_CLUTCHES = [
    {"id": "m1d 4", "name": "D", "laid": "2026-06-01", "temperature": "20", "hatched": "",
     "log": "", "created": 4, "updated": 4},
    {"id": "m1e-5", "name": "E\u2028cup", "laid": "2026-06-01", "temperature": "20",
     "hatched": "", "log": "", "created": 5, "updated": 5},
    {"id": "m1f-6", "name": "F", "laid": "2026-06-01", "temperature": "20", "hatched": "",
     "log": "2026-06-02,18,18;2026-02-30,25,25", "created": 6, "updated": 6},
]
# A backup as 1.3.0 wrote it.
VERSION_1_BACKUP = {"format": "eggperiod-notebook", "version": 1,
                    "exported": "2026-06-04T09:00:00.000Z", "clutches": [
                        {"id": "m1c-3", "name": "C", "laid": "2026-06-02", "temperature": "25",
                         "hatched": "", "log": [{"date": "2026-06-03", "lowest": "20",
                                                 "highest": "20"}],
                         "created": 3, "updated": 3}]}
# Other tabs hear of no change: each tab changes a clutch as it last read it.
HOLD_CHANGE_NOTICES = "BroadcastChannel.prototype.postMessage = () => {}"


def browser(width, height, phone=False, offline=True):
    """Headless Chromium, offline unless told, showing pages at width x height CSS pixels."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    profile = tempfile.mkdtemp(prefix="eggperiod-chromium-")
    atexit.register(shutil.rmtree, profile, ignore_errors=True)
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     f"--user-data-dir={profile}",
                     f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    if phone:
        options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
            "width": width, "height": height, "pixelRatio": 2.0, "touch": True}})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    if not phone:
        # The window's size includes the browser's own frame: set the page's.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    if offline:
        driver.set_network_conditions(offline=True, latency=0, download_throughput=0,
                                      upload_throughput=0)
    return driver


def wait_until(condition, what, seconds=WAIT_SECONDS):
    """condition()'s first true value, asked for up to `seconds`."""
    deadline = time.monotonic() + seconds
    while not (result := condition()):
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {seconds} s for {what}; last saw {result!r}")
        time.sleep(0.05)
    return result


class SeleniumEngine:
    """Chromium or WebKit through Selenium: what a test does in any engine."""

    def __init__(self, driver, console_errors=lambda driver: []):
        self.driver, self.console_errors = driver, console_errors

    def element(self, identifier):
        return self.driver.find_element(By.ID, identifier)

    def open(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def clear(self, identifier):
        self.element(identifier).send_keys(Keys.END, Keys.BACKSPACE * len(self.value(identifier)))

    def type(self, identifier, text):
        if text:  # WebKit's driver refuses to send no keys
            self.element(identifier).send_keys(text)

    def enter(self, identifier):
        self.element(identifier).send_keys(Keys.ENTER)

    def click(self, identifier):
        self.element(identifier).click()

    def value(self, identifier):
        return self.element(identifier).get_property("value")

    def text(self, identifier):
        return self.element(identifier).text

    def script(self, expression):
        """The expression's value, once it settles if it is a promise."""
        return self.driver.execute_script(f"return ({expression})")

    def errors(self):
        return self.console_errors(self.driver)

    def resize(self, width, height):
        self.driver.set_window_rect(width=width, height=height)

    def screenshot(self, path):
        self.driver.save_screenshot(str(path))

    def quit(self):
        self.driver.quit()


class FirefoxEngine:
    """Firefox ESR through firefox_bridge.mjs, which takes SeleniumEngine's
    methods by name."""

    def __init__(self):
        self.bridge = subprocess.Popen(["node", str(FIREFOX_BRIDGE)], cwd=HERE, text=True,
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.answers = queue.Queue()
        threading.Thread(target=self.read_answers, daemon=True).start()
        self.answer()  # the browser's version, once it runs

    def read_answers(self):
        for line in self.bridge.stdout:
            self.answers.put(json.loads(line))
        self.answers.put({"error": "the bridge has ended"})

    def answer(self):
        try:
            reply = self.answers.get(timeout=BRIDGE_SECONDS)
        except queue.Empty:
            raise AssertionError(f"Firefox: no answer in {BRIDGE_SECONDS} s") from None
        if "error" in reply:
            raise AssertionError(f"Firefox: {reply['error']}")
        return reply["value"]

    def __getattr__(self, method):
        def command(*arguments):
            self.bridge.stdin.write(json.dumps([method, *arguments], default=str) + "\n")
            self.bridge.stdin.flush()
            return self.answer()
        return command

    def quit(self):
        self.bridge.stdin.close()
        self.bridge.wait(timeout=BRIDGE_SECONDS)
        self.bridge.stdout.close()


def chromium():
    return SeleniumEngine(browser(1024, 768, offline=False), lambda driver: [
        entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"])


def webkit():
    options = webdriver.WebKitGTKOptions()
    options.binary_location = MINIBROWSER
    # Full screen has no toolbar, which keeps a window at least 447 px wide.
    for argument in ("--automation", "--full-screen"):
        options.add_argument(argument)
    return SeleniumEngine(webdriver.WebKitGTK(options=options))


PAGE_VERSION = "document.documentElement.dataset.version"
ENGINES = {"Chromium": chromium, "Firefox": FirefoxEngine, "WebKit": webkit}
# What the page's Content-Security-Policy refuses and its scripts' errors,
# recorded in the page once it has loaded: WebKit under WebDriver shows no
# console, and Chromium's console and Firefox's page errors cover the loading.
RECORD_PROBLEMS = """window.pageProblems || (window.pageProblems = [],
    addEventListener("securitypolicyviolation",
        (e) => pageProblems.push(`refused ${e.blockedURI} (${e.violatedDirective})`)),
    addEventListener("error", (e) => pageProblems.push(e.message)), [])"""


def page_url():
    return Path(PAGE).resolve().as_uri()


def open_page(engine, url=None):
    """Opens the page afresh (reloads it without a url) and waits until it can calculate."""
    if url:
        engine.open(url)
    else:
        engine.reload()
    engine.script(RECORD_PROBLEMS)
    wait_until(lambda: engine.script("performance.getEntriesByName('eggperiod-ready').length"),
               "the page to be ready")


def load(driver):
    """Opens the page's file afresh in Chromium and waits until it can calculate."""
    open_page(SeleniumEngine(driver), page_url())


def problems(engine):
    return engine.errors() + engine.script("window.pageProblems")


def calculate(engine, laid, temperature, lowest="", highest=""):
    engine.script(f"document.getElementById('laid').value = {json.dumps(laid)}")
    if lowest or highest:
        engine.script("document.getElementById('range').open = true")
    for identifier, text in (("lowest", lowest), ("highest", highest),
                             ("temperature", temperature)):
        engine.type(identifier, text)
    engine.enter("temperature")
    wait_until(lambda: engine.text("period"), "a result")


def calculate_twenty_degrees(engine):
    engine.clear("temperature")
    engine.type("temperature", "20")
    engine.enter("temperature")
    wait_until(lambda: engine.text("period") == TWENTY_DEGREES, "20 degrees' result")


def reading_of(engine):
    """The period in words and the notes below it, a line each."""
    return engine.script(
        "[...document.getElementById('reading').children].map((e) => e.textContent).join('\\n')")


def from_today(iso_date):
    """How the page says how far a date is from the device's today."""
    days = (datetime.date.fromisoformat(iso_date) - datetime.date.today()).days
    return "（今日）" if days == 0 else f"（あと{days}日）" if days > 0 else f"（{-days}日前）"


def set_clock(driver, year, month, day, hour, minute, second=0):
    """Makes the page's clock (of every page the driver opens from now on)
    start at that local time; window.testClock.advance(ms) moves it on."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": f"""(() => {{
        const RealDate = Date;
        let offset = new RealDate({year}, {month - 1}, {day}, {hour}, {minute}, {second}).getTime()
            - RealDate.now();
        window.Date = class extends RealDate {{
            constructor(...time) {{ super(...(time.length ? time : [RealDate.now() + offset])); }}
            static now() {{ return RealDate.now() + offset; }}
        }};
        window.testClock = {{ advance(ms) {{ offset += ms; }} }};
    }})()"""})


# Settles once the page has kept its place for one animation frame.
SCROLLING_STOPPED = """new Promise((done) => {
    let last = null;
    (function check() {
        if (scrollY === last) { done(true); } else { last = scrollY; requestAnimationFrame(check); }
    })();
})"""


def save_clutches(engine, saves):
    """Calculates each temperature and saves it under its name."""
    wait_until(lambda: engine.script(NOTEBOOK_READY), "the notebook")
    for temperature, name in saves:
        engine.clear("temperature")
        engine.type("temperature", temperature)
        engine.enter("temperature")
        wait_until(lambda: engine.text("period"), "a result")
        engine.type("label", name)
        engine.script(SCROLLING_STOPPED)
        engine.click("save")
        wait_until(lambda: name in engine.text("notebook-status"), f"{name} saved")


def times(engine, identifier):
    return engine.script(f"[...document.querySelectorAll('#{identifier} time')]"
                         ".map((time) => time.getAttribute('datetime'))")


def controlled(engine):
    """Waits for the site's service worker, then reloads so that it answers the page."""
    engine.script("navigator.serviceWorker.ready.then(() => true)")
    open_page(engine)
    wait_until(lambda: engine.script("navigator.serviceWorker.controller !== null"),
               "the service worker to answer the page")


class Site:
    """A folder served on 127.0.0.1 (on port, or any free one) by a process of
    its own until stopped, which also ends the connections a browser opened
    ahead; then log holds the path of every request."""

    def __init__(self, folder, port=0):
        self.process = subprocess.Popen(
            [sys.executable, "-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory",
             str(folder), str(port)], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.port = int(re.search(r"port (\d+)", self.process.stdout.readline())[1])
        self.url = f"http://127.0.0.1:{self.port}/"
        self.log = []

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            self.log = re.findall(r'"GET (\S+) ', self.process.communicate()[1])

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.stop()


def site_paths(folder):
    """What a browser may ask the site for: its files, and "/" for index.html."""
    return {"/"} | {f"/{path.name}" for path in Path(folder).iterdir()}


class EveryEngine(unittest.TestCase):
    def test_calculates_from_disk_and_from_the_site_and_offline_in_each_engine(self):
        requested = []
        for name, start in ENGINES.items():
            began = time.monotonic()
            engine = start()
            try:
                with self.subTest(engine=name, opened="from disk"):
                    self.use(engine, page_url())
                with Site(SITE) as site, self.subTest(engine=name, opened="from the site"):
                    self.use(engine, site.url)
                    controlled(engine)
                    site.stop()
                    open_page(engine)
                    calculate_twenty_degrees(engine)
                requested += site.log
                if name != "Chromium":  # Chromium's come from the Layout test
                    open_page(engine, page_url())
                    engine.resize(*PHONE_SIZE)
                    calculate_twenty_degrees(engine)
                    engine.script("new Promise((done) => requestAnimationFrame("
                                  "() => requestAnimationFrame(done)))")
                    engine.screenshot(Path(SHOTS).resolve() / "page-{}-{}x{}.png".format(
                        name.lower(), *PHONE_SIZE))
            finally:
                engine.quit()
            print(f"{name}: {time.monotonic() - began:.1f} s", file=sys.stderr)
        self.assertLessEqual(set(requested), site_paths(SITE))

    def use(self, engine, url):
        open_page(engine, url)
        for typed, send, temperature, period, reading in SESSION:
            with self.subTest(typed=typed):
                engine.clear("temperature")
                engine.type("temperature", typed)
                # A change to the field takes the last result away.
                self.assertEqual(engine.text("period"), "")
                if send == "enter":
                    engine.enter("temperature")
                else:
                    # As a person would, wait for the page to stop scrolling to the last answer.
                    engine.script(SCROLLING_STOPPED)
                    engine.click("calculate")
                wait_until(lambda: engine.text("period") == period,
                           f"{period!r} for {typed!r}")
                self.assertEqual(engine.value("temperature"), temperature)
                self.assertEqual(reading_of(engine), reading)
        if url == page_url():  # the site's requests are in its log
            self.assertEqual(engine.script(
                "performance.getEntriesByType('resource').map((entry) => entry.name)"), [])
        self.assertEqual(problems(engine), [])

        for laid, temperature, iso, words in HATCH_DATES:
            with self.subTest(laid=laid, temperature=temperature):
                open_page(engine, url)
                calculate(engine, laid, temperature)
                self.assertEqual(engine.text("hatch"), words + from_today(iso) if iso else words)
                self.assertEqual(times(engine, "hatch"), [iso] if iso else [])
                self.assertEqual(problems(engine), [])

        with self.subTest("saved clutches after a reload"):
            save_clutches(engine, NOTEBOOK_SAVES)
            open_page(engine)
            wait_until(lambda: engine.script(NOTEBOOK_READY), "the notebook")
            self.assertEqual(engine.script(NAMES), NOTEBOOK_ORDER)


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = browser(1024, 768)
        set_clock(cls.driver, *CLOCK)
        cls.engine = SeleniumEngine(cls.driver)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        load(self.driver)

    def test_hatch_range_from_the_highest_and_lowest_temperatures(self):
        for lowest, highest, datetimes, words in HATCH_RANGES:
            with self.subTest(lowest=lowest, highest=highest):
                load(self.driver)
                calculate(self.engine, "2026-06-01", "20", lowest, highest)
                self.assertEqual(self.engine.element("hatch-range").text, words)
                self.assertEqual(times(self.engine, "hatch-range"), datetimes)

    def test_the_laying_date_moves_to_a_new_day_unless_the_user_chose_it(self):
        laid = self.engine.element("laid")
        self.assertEqual(laid.get_property("value"), "2026-06-05")
        # chosen, event that shows the page again, laying date then
        for chosen, event, expected in ((None, "visibilitychange", "2026-06-06"),
                                        ("2026-06-01", "pageshow", "2026-06-01")):
            with self.subTest(chosen=chosen, event=event):
                if chosen:
                    self.driver.execute_script(
                        "arguments[0].value = arguments[1];"
                        "arguments[0].dispatchEvent(new Event('input', {bubbles: true}))",
                        laid, chosen)
                calculate_twenty_degrees(self.engine)
                self.driver.execute_script(
                    "testClock.advance(24 * 3600 * 1000);"
                    "(arguments[0] === 'pageshow' ? window : document)"
                    ".dispatchEvent(new Event(arguments[0]))", event)
                self.assertEqual(laid.get_property("value"), expected)
                self.assertEqual(self.engine.text("period"), "")

    def test_undo_and_redo_give_only_texts_the_field_showed(self):
        def commit(text):  # an input method's conversion, committed
            self.driver.execute_cdp_cmd("Input.imeSetComposition", {
                "text": text, "selectionStart": len(text), "selectionEnd": len(text)})
            self.driver.execute_cdp_cmd("Input.insertText", {"text": text})

        def drop(text):
            rect = self.engine.element("temperature").rect
            for kind in ("dragEnter", "dragOver", "drop"):
                self.driver.execute_cdp_cmd("Input.dispatchDragEvent", {
                    "type": kind, "x": rect["x"] + 10, "y": rect["y"] + 10, "data": {
                        "items": [{"mimeType": "text/plain", "data": text}],
                        "dragOperationsMask": 1}})

        undo, redo, redo_y = [Keys.CONTROL, "z"], [Keys.CONTROL, Keys.SHIFT, "z"], [Keys.CONTROL, "y"]
        # what is done (keys, or a function and its text), and the field after each step
        for name, steps, values in (
                ("input method", [["1"], (commit, "２０"), undo, undo, redo, redo_y],
                 ["1", "120", "1", "", "1", "120"]),
                ("drop", [(drop, "\u3000２０"), undo, redo], ["20", "", "20"]),
                ("delete", [["1 20", Keys.HOME, Keys.DELETE], undo, redo],
                 ["20", "1 20", "20"]),
                ("cut", [["1 20", Keys.HOME, Keys.SHIFT, Keys.RIGHT], [Keys.CONTROL, "x"], undo,
                         redo_y], ["1 20", "20", "1 20", "20"])):
            with self.subTest(name):
                load(self.driver)
                seen = []
                for done in steps:
                    if isinstance(done, tuple):
                        done[0](done[1])
                    else:
                        self.engine.element("temperature").send_keys(*done)
                    seen.append(self.engine.value("temperature"))
                self.assertEqual(seen, values)

    def test_calculates_in_a_sandboxed_frame_without_forms(self):
        self.driver.execute_script(
            "const frame = document.createElement('iframe');"
            "frame.sandbox = 'allow-scripts'; frame.srcdoc = arguments[0];"
            "document.body.prepend(frame);", Path(PAGE).read_text(encoding="utf-8"))
        self.driver.switch_to.frame(self.driver.find_element(By.TAG_NAME, "iframe"))
        wait_until(lambda: self.engine.script(
            "performance.getEntriesByName('eggperiod-ready').length"), "the framed page")
        for send in (self.engine.enter, lambda _: self.engine.click("calculate")):
            self.engine.clear("temperature")
            self.engine.type("temperature", "20")
            send("temperature")
            wait_until(lambda: self.engine.text("period") == TWENTY_DEGREES, "20 degrees' result")
        self.driver.switch_to.default_content()

    def test_says_so_when_webassembly_cannot_run(self):
        driver = browser(1024, 768)
        try:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                   {"source": "delete window.WebAssembly"})
            driver.get(Path(PAGE).resolve().as_uri())
            alert = driver.find_element(By.ID, "page-alert")
            wait_until(alert.is_displayed, "the alert")
            self.assertIn("計算できません", alert.text)
        finally:
            driver.quit()

    def test_prints_the_result_and_the_open_quick_table_on_one_a4_page(self):
        calculate(self.engine, "2026-06-01", "20", "18", "23")
        self.engine.element("quick-table-summary").click()
        pdf = base64.b64decode(self.driver.execute_cdp_cmd(
            "Page.printToPDF", {"preferCSSPageSize": True})["data"])
        self.assertEqual(len(re.findall(rb"/Type\s*/Page[^s]", pdf)), 1)

    def test_quick_table_rows_come_from_the_calculation(self):
        self.engine.element("quick-table-summary").click()
        rows = self.driver.find_elements(By.CSS_SELECTOR, "#quick-table tbody tr")
        cells = [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")] for row in rows]
        self.assertEqual([int(row[0]) for row in cells], list(range(6, 31)))
        self.assertEqual(cells[14], ["20", "8.4", "8.38222980499268"])

    def test_keyboard_reaches_every_control_with_a_visible_focus(self):
        # A date field may take several presses of Tab, one for each of its parts.
        reached = []
        while len(reached) < len(TAB_ORDER) and len(reached) < 20:
            ActionChains(self.driver).send_keys(Keys.TAB).perform()  # a file field takes no keys
            focused = self.driver.switch_to.active_element
            if reached[-1:] != [focused.get_attribute("id")]:
                reached.append(focused.get_attribute("id"))
                self.assertNotEqual(focused.value_of_css_property("outline-style"), "none",
                                    reached[-1])
        self.assertEqual(reached, TAB_ORDER)

    def test_axe_finds_no_accessibility_violations(self):
        self.engine.element("quick-table-summary").click()
        self.driver.execute_script(AXE.read_text())
        violations = self.driver.execute_async_script(
            "axe.run(document).then(result => arguments[arguments.length - 1]("
            "result.violations.map(v => v.id + ': ' + v.nodes.map(n => n.target).join(' '))))")
        self.assertEqual(violations, [])


class Notebook(unittest.TestCase):
    """The notebook in Chromium, each test with a profile of its own and the
    page's clock at noon on 2026-06-05."""

    def setUp(self):
        self.driver = browser(1024, 768)
        self.addCleanup(self.driver.quit)
        set_clock(self.driver, 2026, 6, 5, 12, 0)
        self.engine = SeleniumEngine(self.driver)
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")

    def clutch(self, name):
        return self.driver.find_element(
            By.XPATH, f"//li[@data-clutch][.//*[@class='clutch-name'][text()='{name}']]")

    def in_clutch(self, name, field, text=None):
        """Opens the clutch's details, types text into a field of it, or
        presses it when no text is given."""
        item = self.clutch(name)
        details = item.find_element(By.TAG_NAME, "details")
        if not details.get_property("open"):
            details.find_element(By.TAG_NAME, "summary").click()
        element = wait_until(lambda: item.find_elements(By.NAME, field), field)[0]
        if text is None:
            element.click()
        elif element.get_attribute("type") == "date":
            self.driver.execute_script("arguments[0].value = arguments[1]", element, text)
        else:
            element.send_keys(Keys.END, Keys.BACKSPACE * 20, text)

    def part(self, name, part):
        """The text of a part of the clutch's card, read at once: the card may
        be drawn anew at any moment."""
        return self.driver.execute_script(
            "const item = [...document.querySelectorAll('[data-clutch]')].find("
            "  (item) => item.querySelector('.clutch-name').textContent === arguments[0]);"
            "return item.querySelector('.clutch-' + arguments[1]).textContent;", name, part)

    def status(self, name):
        return self.part(name, "status")

    def log(self, name):
        return self.part(name, "log")

    def hatch(self, name):
        """The clutch's hatch dates and state, read at once: the list is
        drawn anew after each change."""
        return tuple(self.driver.execute_script(
            "const item = [...document.querySelectorAll('[data-clutch]')].find("
            "  (item) => item.querySelector('.clutch-name').textContent === arguments[0]);"
            "return [[...item.querySelectorAll('.clutch-hatch time')].map((t) => t.dateTime),"
            "  item.querySelector('.clutch-state').textContent, item.dataset.state];", name))

    def test_day_entries_move_the_hatch_date(self):
        save_clutches(self.engine, [("20", "A")])
        self.assertEqual(self.hatch("A")[:2], (["2026-06-13"], "あと8日"))
        # date, average or lowest and highest, then the hatch date and state
        for date, temperatures, expected in (
                ("2026-06-05", {"log-temperature": "3"},
                 ([], "直近の水温では発育が止まっているため、孵化予定日は出せません。")),
                ("2026-06-05", {"log-lowest": "18", "log-highest": "22"},
                 (["2026-06-13"], "あと8日")),  # the same day again replaces it
                ("2026-06-05", {"log-temperature": "25"}, (["2026-06-11"], "あと6日"))):
            with self.subTest(date=date, temperatures=temperatures):
                self.in_clutch("A", "log-date", date)
                for field, text in temperatures.items():
                    self.in_clutch("A", field, text)
                self.in_clutch("A", "log-add")
                wait_until(lambda: self.hatch("A")[:2] == expected, f"{expected}")

    def test_hatched_clutches_teach_how_late_they_hatch(self):
        # Laid 2026-05-25 at 20 degrees: due 2026-06-02, hatched before today.
        self.driver.execute_script("document.getElementById('laid').value = '2026-05-25'")
        save_clutches(self.engine, [("20", "A"), ("20", "B"), ("20", "C")])
        for name, hatched in (("A", "2026-06-03"), ("B", "2026-06-04"), ("C", "2026-06-01")):
            self.in_clutch(name, "hatched-date", hatched)
            self.in_clutch(name, "hatched-save")
            wait_until(lambda: self.hatch(name)[2] == "hatched", name)
        self.assertEqual(self.engine.text("lesson"),
                         "孵化した記録3件では、予定より平均0.7日遅く孵化しています（−1～＋2日）。")

    def test_a_backup_read_back_into_emptied_storage_gives_the_same_list(self):
        downloads = Path(tempfile.mkdtemp(prefix="eggperiod-downloads-"))
        self.addCleanup(shutil.rmtree, downloads, ignore_errors=True)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": str(downloads)})
        save_clutches(self.engine, NOTEBOOK_SAVES)
        self.engine.click("export-json")
        backup = wait_until(lambda: next(downloads.glob("*.json"), None), "the backup")
        self.assertEqual(backup.name, "eggperiod-notebook-2026-06-05.json")
        self.assertIn("2026年6月5日", self.engine.text("last-backup"))
        self.engine.click("export-csv")
        spreadsheet = wait_until(lambda: next(downloads.glob("*.csv"), None), "the spreadsheet")
        self.assertEqual(spreadsheet.read_bytes()[:3], b"\xef\xbb\xbf")
        damaged = downloads / "damaged.json"
        damaged.write_text(backup.read_text(encoding="utf-8")[:-40], encoding="utf-8")
        too_large = downloads / "too-large.json"
        with too_large.open("wb") as file:
            file.truncate(64 * 1024 * 1024 + 1)
        # message shown after reading the file, names listed then
        for file, shown, names in (
                (damaged, "このバックアップは壊れているため", NOTEBOOK_ORDER),
                (too_large, "このファイルは大きすぎるため（64MBまで）", NOTEBOOK_ORDER),
                (None, None, []),  # the storage emptied
                (backup, "読み込みました。追加3件、更新0件。", NOTEBOOK_ORDER),
                (backup, "読み込みました。追加0件、更新0件。", NOTEBOOK_ORDER)):
            with self.subTest(file=file and file.name):
                if file:
                    self.engine.element("import").send_keys(str(file))
                    wait_until(lambda: shown in self.engine.text("notebook-status"), shown)
                else:
                    self.driver.execute_async_script(
                        "const request = indexedDB.deleteDatabase('eggperiod');"
                        "request.onsuccess = request.onerror = arguments[0];")
                    load(self.driver)
                    wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
                self.assertEqual(self.engine.script(NAMES), names)

    def test_a_change_in_one_tab_shows_in_the_other(self):
        first = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        calculate_twenty_degrees(self.engine)
        self.engine.type("label", "A")
        # A double press saves once.
        self.engine.script("document.getElementById('save').click(),"
                           "document.getElementById('save').click()")
        wait_until(lambda: "A" in self.engine.text("notebook-status"), "A saved")
        self.driver.switch_to.window(first)
        wait_until(lambda: self.engine.script(NAMES) == ["A"], "the clutch in the first tab")
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        self.assertEqual(self.engine.script(NAMES), ["A"])

    def test_two_tabs_adding_day_entries_to_one_clutch_keep_both(self):
        self.driver.execute_script("document.getElementById('laid').value = '2026-06-01'")
        save_clutches(self.engine, [("20", "A")])
        first = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        second = self.driver.current_window_handle
        for handle, date, temperature in ((first, "2026-06-03", "18"),
                                          (second, "2026-06-04", "22")):
            self.driver.switch_to.window(handle)
            self.driver.execute_script(HOLD_CHANGE_NOTICES)
            self.in_clutch("A", "log-date", date)
            self.in_clutch("A", "log-temperature", temperature)
            self.in_clutch("A", "log-add")
        wait_until(lambda: self.log("A") == "日ごとの水温2日分（最新は6月4日の22℃）",
                   "both day entries")

    def keep_as_1_3_0(self, clutches):
        """The database as 1.3.0 left it (version 1), holding `clutches`."""
        self.driver.execute_async_script("""
            const [clutches, done] = arguments;
            const request = indexedDB.deleteDatabase('eggperiod');
            request.onsuccess = () => {
                const opening = indexedDB.open('eggperiod', 1);
                opening.onupgradeneeded = () =>
                    opening.result.createObjectStore('clutches', { keyPath: 'id' });
                opening.onsuccess = () => {
                    const writing = opening.result.transaction('clutches', 'readwrite');
                    for (const clutch of clutches) writing.objectStore('clutches').put(clutch);
                    writing.oncomplete = () => { opening.result.close(); done(); };
                };
            };""", clutches)

    def test_records_kept_by_1_3_0_are_all_there_and_its_backups_read(self):
        self.keep_as_1_3_0(VERSION_1_CLUTCHES)
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        self.assertEqual(self.engine.script(NAMES), ["A", "B"])
        self.assertEqual(self.hatch("A")[:2], (["2026-06-10"], "あと5日"))
        self.assertEqual(self.log("A"), "日ごとの水温2日分（最新は6月3日の15～22℃）")
        self.assertEqual(self.hatch("B")[2], "hatched")
        backup = Path(tempfile.mkdtemp(prefix="eggperiod-backup-")) / "backup.json"
        self.addCleanup(shutil.rmtree, backup.parent, ignore_errors=True)
        backup.write_text(json.dumps(VERSION_1_BACKUP, ensure_ascii=False, indent=1),
                          encoding="utf-8")
        self.engine.element("import").send_keys(str(backup))
        wait_until(lambda: "追加1件、更新0件" in self.engine.text("notebook-status"), "the backup")
        # C, laid 06-02 at 25 degrees and 20 on day 1, develops at their mean
        # 0.1398 a day from day 2: due 06-09, before A.
        self.assertEqual(self.engine.script(NAMES), ["C", "A", "B"])

    def test_what_1_3_0_listed_is_listed_again_mended_once_and_said_once(self):
        self.keep_as_1_3_0(VERSION_1_ODD_CLUTCHES)
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        self.assertEqual(sorted(self.engine.script(NAMES)), ["D", "E cup", "F"])
        self.assertEqual(self.engine.script(
            "document.querySelectorAll('[data-state=damaged]').length"), 0)
        said = self.engine.text("notebook-status")
        self.assertIn("記録帳を開いたときに、次の2件の記録を直しました", said)
        self.assertIn("「D」：IDに使えない文字があるか", said)
        self.assertIn("「E cup」：名前の中の改行などの制御文字を空白にしました。", said)
        # F's day on 2026-02-30 is set aside: on its card, not counted.
        self.in_clutch("F", "log-add")
        entries = self.driver.execute_script(
            "return [...arguments[0].querySelectorAll('.entry-words')].map((e) => e.textContent)",
            self.clutch("F"))
        self.assertEqual(entries, ["6月2日の18℃", "2026-02-30の25℃（日付が読めないため数えていません）"])
        self.assertEqual(self.log("F"), "日ごとの水温1日分（最新は6月2日の18℃）")
        # Written back once: opened again, nothing is mended or said.
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        self.assertEqual(self.engine.text("notebook-status"), "")
        self.assertEqual(sorted(self.engine.script(NAMES)), ["D", "E cup", "F"])

    def test_a_rounds_undo_leaves_a_later_entry_and_a_deleted_clutch(self):
        self.set_laid("2026-06-01")
        save_clutches(self.engine, [("20", "A"), ("20", "B"), ("20", "C")])
        self.engine.type("round-temperature", "30")
        self.engine.click("round-add")
        wait_until(lambda: "3件に水温を記録しました。" in self.engine.text("round-status"),
                   "the round")
        # Since the round, another tab enters B's day again and deletes C.
        self.driver.switch_to.new_window("tab")
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        self.in_clutch("B", "log-date", "2026-06-05")
        self.in_clutch("B", "log-temperature", "25")
        self.in_clutch("B", "log-add")
        wait_until(lambda: self.log("B") == "日ごとの水温1日分（最新は6月5日の25℃）", "B again")
        self.in_clutch("C", "delete")
        wait_until(lambda: "C" not in self.engine.script(NAMES), "C deleted")
        self.driver.close()
        self.driver.switch_to.window(self.driver.window_handles[0])
        wait_until(lambda: "C" not in self.engine.script(NAMES), "C gone in the first tab")
        self.driver.find_element(By.CSS_SELECTOR, "#round-status button").click()
        wait_until(lambda: "まとめて記録したのを元に戻しました。" in self.engine.text("round-status"),
                   "the round undone")
        self.assertIn("Bは後で変わったため戻していません。", self.engine.text("round-status"))
        self.assertEqual((self.log("A"), self.log("B")),
                         ("", "日ごとの水温1日分（最新は6月5日の25℃）"))
        self.assertEqual(sorted(self.engine.script(NAMES)), ["A", "B"])
        # A second press does nothing: the undo is gone.
        self.assertEqual(self.driver.find_elements(By.CSS_SELECTOR, "#round-status button"), [])

    def test_a_redraw_keeps_the_rounds_ticks_a_cards_fields_and_its_status(self):
        save_clutches(self.engine, [("20", "A"), ("25", "B")])
        self.in_clutch("A", "log-temperature", "40")
        self.in_clutch("A", "log-add")
        wait_until(lambda: self.status("A").startswith("孵化予定日"), "A's status")
        self.in_clutch("A", "log-lowest", "17")
        self.driver.execute_script(
            "document.querySelector('[name=round-clutch][value=' + CSS.escape(arguments[0]) +"
            " ']').click();", self.clutch("B").get_attribute("data-clutch"))
        status = self.status("A")
        # Another tab changes both clutches: this one reads them again and redraws.
        self.driver.switch_to.new_window("tab")
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        for name in ("A", "B"):
            self.in_clutch(name, "edit-name", name + "2")
            self.in_clutch(name, "edit-save")
            wait_until(lambda: name + "2" in self.engine.script(NAMES), f"{name} renamed")
        self.driver.close()
        self.driver.switch_to.window(self.driver.window_handles[0])
        wait_until(lambda: sorted(self.engine.script(NAMES)) == ["A2", "B2"], "both renamed")
        self.assertEqual(self.engine.script(
            "[...document.querySelectorAll('[name=round-clutch]')].map("
            "(box) => box.parentNode.textContent + (box.checked ? '+' : '-'))"), ["A2+", "B2-"])
        self.assertEqual(self.clutch("A2").find_element(By.NAME, "log-lowest")
                         .get_property("value"), "17")
        self.assertEqual(self.status("A2"), status)

    def test_a_page_left_open_moves_to_the_new_day_by_itself(self):
        self.driver = browser(1024, 768)
        self.addCleanup(self.driver.quit)
        set_clock(self.driver, 2026, 6, 5, 23, 59, 52)
        self.engine = SeleniumEngine(self.driver)
        load(self.driver)
        save_clutches(self.engine, [("20", "A")])
        self.in_clutch("A", "log-temperature", "20")
        log_date = self.clutch("A").find_element(By.NAME, "log-date")
        self.assertEqual(self.hatch("A")[1], "あと8日")
        # No focus change, no visibility change: midnight comes within seconds.
        deadline = time.monotonic() + 20
        while self.hatch("A")[1] != "あと7日" and time.monotonic() < deadline:
            time.sleep(0.2)
        log_date = self.clutch("A").find_element(By.NAME, "log-date")
        self.assertEqual((self.hatch("A")[1], log_date.get_property("value"),
                          log_date.get_property("max"), self.engine.value("laid")),
                         ("あと7日", "2026-06-06", "2026-06-06", "2026-06-06"))

    def set_laid(self, iso_date):
        self.driver.execute_script("document.getElementById('laid').value = arguments[0]",
                                   iso_date)

    def test_one_reading_for_the_shelf_writes_every_ticked_clutch_and_undoes_as_one(self):
        self.set_laid("2026-06-01")
        save_clutches(self.engine, [("20", "A"), ("20", "B")])
        self.set_laid("2026-06-04")
        save_clutches(self.engine, [("20", "C")])
        self.driver.execute_script(
            "document.querySelector('[name=round-clutch][value=' + CSS.escape(arguments[0]) +"
            " ']').click();"
            "document.getElementById('round-date').value = '2026-06-03';"
            "document.getElementById('round-date').dispatchEvent(new Event('input'));",
            self.clutch("B").get_attribute("data-clutch"))
        self.engine.type("round-lowest", "12")
        self.engine.type("round-highest", "19")
        self.engine.click("round-add")
        # A: 0.1193, then (0.1193 + 0.0824) / 2, then 0.0824 at 15.5 degrees,
        # their mean after: t = 3 + 0.69745 / 0.10085 = 9.92, 06-11.
        wait_until(lambda: "A 6月9日→6月11日" in self.engine.text("round-status"), "A moved")
        self.assertIn("Cは、産卵日がこの日より後なので記録していません。",
                      self.engine.text("round-status"))
        self.assertEqual((self.log("A"), self.log("B")),
                         ("日ごとの水温1日分（最新は6月3日の12～19℃）", ""))
        self.driver.find_element(By.CSS_SELECTOR, "#round-status button").click()
        wait_until(lambda: self.log("A") == "", "the round undone")
        # The round ticks the clutches as last chosen, and one saved since.
        save_clutches(self.engine, [("20", "D")])
        load(self.driver)
        wait_until(lambda: self.engine.script(NOTEBOOK_READY), "the notebook")
        self.assertEqual(self.engine.script(
            "[...document.querySelectorAll('[name=round-clutch]')].map("
            "(box) => box.parentNode.textContent + (box.checked ? '+' : '-'))"),
            ["A+", "B-", "C+", "D+"])

    def test_a_changed_card_says_how_its_date_moved_and_keeps_its_place_until_closed(self):
        save_clutches(self.engine, [("20", "A"), ("25", "B")])
        self.assertEqual(self.engine.script(NAMES), ["B", "A"])
        # A whole day at 30 degrees from laying: t = 1 / 0.2013 = 4.97, 06-10.
        self.in_clutch("A", "log-temperature", "30")
        self.in_clutch("A", "log-add")
        wait_until(lambda: self.status("A") == "孵化予定日 6月13日→6月10日", "A's status")
        self.assertEqual(self.engine.script(NAMES), ["B", "A"])
        # Its day entry deleted, and put back by the undo beside the words.
        self.in_clutch("A", "entry-delete")
        wait_until(lambda: self.status("A") == "6月5日の30℃を削除しました。 元に戻す",
                   "the entry deleted")
        self.assertEqual(self.log("A"), "")
        self.clutch("A").find_element(By.CSS_SELECTOR, ".clutch-status button").click()
        wait_until(lambda: self.log("A") == "日ごとの水温1日分（最新は6月5日の30℃）", "it back")
        self.clutch("A").find_element(By.TAG_NAME, "summary").click()
        wait_until(lambda: self.engine.script(NAMES) == ["A", "B"], "A in its place")

    def test_a_deleted_card_and_a_hatched_mark_can_be_undone(self):
        save_clutches(self.engine, [("20", "A"), ("25", "B")])
        self.in_clutch("A", "delete")
        deleted = wait_until(lambda: self.driver.find_elements(By.CSS_SELECTOR,
                                                               "#clutches [data-deleted]"), "A")
        self.assertEqual(deleted[0].text.splitlines()[0], "「A」を削除しました。 元に戻す")
        self.assertEqual(self.engine.script(
            "[...document.getElementById('clutches').children].indexOf("
            "document.querySelector('[data-deleted]'))"), 1)
        self.driver.find_element(By.NAME, "undo-delete").click()
        wait_until(lambda: self.engine.script(NAMES) == ["B", "A"], "A back")
        self.in_clutch("B", "hatched-save")
        wait_until(lambda: self.hatch("B")[2] == "hatched", "B hatched")
        self.in_clutch("B", "hatched-undo")
        wait_until(lambda: self.hatch("B")[2] == "late" or self.hatch("B")[2] == "ahead",
                   "B not hatched")
        self.assertEqual(self.status("B"), "孵化したことを取り消しました。")

    def test_five_closed_cards_fit_a_phone_screen(self):
        driver = browser(*PHONE_SIZE, phone=True)
        self.addCleanup(driver.quit)
        set_clock(driver, 2026, 6, 5, 12, 0)
        load(driver)
        engine = SeleniumEngine(driver)
        save_clutches(engine, [(str(16 + number), f"容器{number}") for number in range(6)])
        self.assertGreaterEqual(driver.execute_script(
            "document.getElementById('clutches').scrollIntoView();"
            "return [...document.querySelectorAll('#clutches > li')].filter((card) => {"
            "  const box = card.getBoundingClientRect();"
            "  return box.top >= 0 && box.bottom <= innerHeight; }).length"), 5)
        engine.screenshot(Path(SHOTS) / "notebook-phone.png")

    def test_where_storage_is_refused_the_calculator_works_and_says_so(self):
        driver = browser(1024, 768)
        self.addCleanup(driver.quit)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source":
            "IDBFactory.prototype.open = () => { throw new DOMException('no', 'SecurityError'); }"})
        load(driver)
        engine = SeleniumEngine(driver)
        wait_until(lambda: engine.script(NOTEBOOK_READY), "the notebook")
        self.assertIn("ここに記録を残せません", engine.text("storage-note"))
        calculate_twenty_degrees(engine)
        self.assertFalse(engine.element("save").is_displayed())


class Layout(unittest.TestCase):
    def test_fits_a_phone_in_one_column_with_large_touch_targets(self):
        # width, height, a phone, text size, picture
        for width, height, phone, text_size, picture in (
                (320, 640, True, "200%", "page-320x640-text200.png"),
                (360, 740, True, "100%", None),
                (390, 844, True, "100%", "page-390x844.png"),
                (1024, 768, False, "100%", "page-1024x768.png")):
            driver = browser(width, height, phone)
            try:
                load(driver)
                driver.execute_script(
                    "document.documentElement.style.fontSize = arguments[0]", text_size)
                calculate_twenty_degrees(SeleniumEngine(driver))
                # With the quick table open too.
                for table_open in (True, False):
                    self.assertLessEqual(driver.execute_script(
                        "document.querySelector('details').open = arguments[0];"
                        "return document.documentElement.scrollWidth", table_open), width)
                for identifier in TAB_ORDER:
                    height_px = driver.find_element(By.ID, identifier).rect["height"]
                    self.assertGreaterEqual(height_px, SMALLEST_TOUCH_TARGET, identifier)
                # No piece of a date breaks across lines.
                self.assertEqual(driver.execute_script(
                    "return [...document.querySelectorAll('#hatch time span')]"
                    ".filter((piece) => piece.getClientRects().length !== 1).length"), 0)
                if picture:
                    driver.save_screenshot(str(Path(SHOTS) / picture))
            finally:
                driver.quit()

    def test_on_a_phone_the_button_and_then_the_answer_are_on_the_first_screen(self):
        for width, height in ((390, 844), (360, 740)):
            with self.subTest(width=width, height=height):
                driver = browser(width, height, phone=True)
                try:
                    load(driver)
                    engine = SeleniumEngine(driver)
                    driver.execute_script(
                        "scrollTo(0, Math.floor(scrollY + document.getElementById('temperature')"
                        ".getBoundingClientRect().top))")
                    self.assertEqual(self.off_screen(driver, ["temperature", "calculate"]), [])
                    engine.type("temperature", "20")
                    engine.click("calculate")
                    wait_until(lambda: not self.off_screen(driver, ["reading", "period", "hatch"]),
                               "the answer on the screen")
                finally:
                    driver.quit()

    @staticmethod
    def off_screen(driver, identifiers):
        """Those of the elements that are not wholly on the screen."""
        return driver.execute_script(
            "return arguments[0].filter((id) => {"
            "  const box = document.getElementById(id).getBoundingClientRect();"
            "  return box.height === 0 || box.top < 0 || box.bottom > innerHeight; })",
            identifiers)


class InstalledSite(unittest.TestCase):
    def test_chromium_can_install_the_site_and_a_new_version_replaces_it(self):
        engine = chromium()
        next_site = Path(tempfile.mkdtemp(prefix="eggperiod-next-site-")) / "site"
        try:
            with Site(SITE) as first:
                open_page(engine, first.url)
                controlled(engine)
                self.assertEqual(engine.driver.execute_cdp_cmd(
                    "Page.getInstallabilityErrors", {}), {"installabilityErrors": []})
                first_caches = engine.script("caches.keys()")
            version = self.copy_as_next_version(next_site)
            with Site(next_site, first.port):
                # Online, the first reload brings the new service worker, which
                # takes over and removes the first version's cache, and the
                # second reload at the latest shows the new version.
                for _ in range(2):
                    open_page(engine)
                    wait_until(lambda: engine.script(PAGE_VERSION) == version or not (
                        set(first_caches) & set(engine.script("caches.keys()"))),
                        "the new version, or its service worker to remove the first's cache")
                self.assertEqual(engine.script(PAGE_VERSION), version)
                caches = engine.script("caches.keys()")
                self.assertEqual(len(caches), 1)
                self.assertNotIn(caches[0], first_caches)
        finally:
            engine.quit()
            shutil.rmtree(next_site.parent)

    def test_the_offline_copy_mends_itself_online_and_says_so_offline(self):
        engine = chromium()
        missing = ["./", SITE_FILES["manual"]]
        remove = ("caches.keys().then((names) => caches.open(names[0])).then((cache) =>"
                  f" Promise.all({json.dumps(missing)}.map((file) => cache.delete(file))))")
        cached = ("caches.keys().then((names) => caches.open(names[0])).then((cache) =>"
                  f" Promise.all({json.dumps(missing)}.map((file) => cache.match(file))))"
                  ".then((found) => found.every(Boolean))")
        try:
            with Site(SITE) as site:
                open_page(engine, site.url)
                controlled(engine)
                engine.script(remove)
                open_page(engine)
                wait_until(lambda: engine.script(cached), "the missing files back in the cache")
                engine.script(remove)
            engine.reload()
            self.assertEqual(engine.driver.find_element(By.TAG_NAME, "h1").text,
                             "卵期間推定電卓を開けませんでした")
        finally:
            engine.quit()

    def copy_as_next_version(self, copy):
        """Copies the site to copy with another version on its page and in its
        service worker's cache name, and returns that version."""
        shutil.copytree(SITE, copy)
        index, worker = copy / "index.html", copy / "sw.js"
        page = index.read_text(encoding="utf-8")
        version = re.search(r'data-version="([^"]+)"', page)[1]
        next_version = f"{version}-next"
        index.write_text(page.replace(f'data-version="{version}"',
                                      f'data-version="{next_version}"'), encoding="utf-8")
        code = worker.read_text(encoding="utf-8")
        self.assertIn(version, code)
        worker.write_text(code.replace(version, next_version), encoding="utf-8")
        return next_version


# The manifest's fields.
MANIFEST = {
    "name": "ソワリナ属の卵期間推定電卓", "short_name": "卵期間電卓", "lang": "ja",
    "start_url": "./", "scope": "./", "display": "standalone", "theme_color": "#00703c",
    "background_color": "#ffffff",
}
# The site's files as the build writes them.
SITE_FILES = json.loads((HERE.parent.parent / "web" / "site_files.json").read_text(encoding="utf-8"))


def png_size(path):
    """"WIDTHxHEIGHT" from a PNG file's header, or None if it is no PNG."""
    header = path.read_bytes()[:24]
    if header[:8] != b"\x89PNG\r\n\x1a\n" or header[12:16] != b"IHDR":
        return None
    return "{}x{}".format(*struct.unpack(">II", header[16:24]))


class SiteFiles(unittest.TestCase):
    def test_manifest_icons_and_the_service_workers_files(self):
        folder = Path(SITE)
        manifest = json.loads((folder / SITE_FILES["manifest"]).read_text(encoding="utf-8"))
        self.assertEqual({key: manifest.get(key) for key in MANIFEST}, MANIFEST)
        self.assertEqual([(icon["src"], icon["sizes"], icon["purpose"]) for icon in manifest["icons"]],
                         [(icon["file"], f"{icon['size']}x{icon['size']}", icon["purpose"])
                          for icon in SITE_FILES["icons"] if icon["use"] == "manifest"])
        for icon in SITE_FILES["icons"]:
            if icon["use"] != "tab":
                self.assertEqual(png_size(folder / icon["file"]),
                                 f"{icon['size']}x{icon['size']}", icon["file"])

        code = (folder / SITE_FILES["serviceWorker"]).read_text(encoding="utf-8")
        files = json.loads(re.search(r"const FILES = (\[.*?\]);", code, re.DOTALL)[1])
        # Every file of the site but the service worker itself, and the folder.
        self.assertEqual(sorted(files), sorted(["./"] + [
            path.name for path in folder.iterdir() if path.name != SITE_FILES["serviceWorker"]]))

    def test_the_footer_links_the_manual_and_shows_the_version(self):
        manual = (Path(SITE) / SITE_FILES["manual"]).read_text(encoding="utf-8")
        self.assertIn("<h1>卵期間推定電卓 ", manual)
        self.assertIn("<h2>更新履歴</h2>", manual)
        for page, link in ((Path(SITE) / SITE_FILES["index"], SITE_FILES["manual"]),
                           (Path(PAGE), "https://eggperiod.example/" + SITE_FILES["manual"])):
            text = page.read_text(encoding="utf-8")
            version = re.search(r'data-version="([^"]+)"', text)[1]
            self.assertIn(f'<a href="{link}">説明書</a>', text, page.name)
            self.assertIn(f'<span id="version">版：{version}</span>', text, page.name)


if __name__ == "__main__":
    # Selenium's own use of its deprecated parts, when it starts WebKit's driver.
    warnings.filterwarnings("ignore", category=DeprecationWarning, module="selenium")
    PAGE, SITE, SHOTS = sys.argv[1:4]
    del sys.argv[1:4]
    unittest.main(verbosity=2)
