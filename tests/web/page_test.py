"""The browser page as a person uses it: the built file opened from disk in
headless Chromium with the network cut, real key presses and clicks, then its
requests, console, accessibility and layout on a phone.

Arguments: the page, and the folder for the screenshots.
"""

import base64
import re
import sys
import tempfile
import unittest
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

PAGE = SHOTS = None
AXE = Path(__file__).resolve().parent / "node_modules" / "axe-core" / "axe.min.js"
WAIT_SECONDS = 10
SMALLEST_TOUCH_TARGET = 44  # CSS pixels
ZERO_DEGREES = "-22.3713645935059"
NO_DEVELOPMENT = "この水温では卵は発育しません。卵が発育するのは、水温が約5.45℃より高いときです。"
UNREADABLE = ("入力を数として読めないため、0℃として計算しました。"
              "半角の数字で入力してください（例：20、12.75）。")
CLEAR = [Keys.END] + [Keys.BACKSPACE] * 60

# Keys pressed in the temperature field, then Enter or a click on the button,
# and what the field, the result and its reading must then show.
SESSION = [
    # keys, how it is sent, field, result, reading
    (["12.75"], "enter", "12.75", "16.7084369659424", "約 16.7 日"),
    ([Keys.END] + [Keys.BACKSPACE] * 5 + ["20abc"], "click", "20abc", "8.38222980499268",
     "約 8.4 日。入力の先頭の「20」だけを数として読み、20℃として計算しました。"),
    ([Keys.END] + [Keys.BACKSPACE] * 5, "click", "", ZERO_DEGREES,
     "水温が入力されていないため、0℃として計算しました。"),
    (["２０"], "click", "20", "8.38222980499268", "約 8.4 日"),
    ([Keys.BACKSPACE * 2, "５．５"], "enter", "5.5", "2500", "約 2,500 日（約 6.8 年）"),
    # What a Japanese keyboard and copied text bring, converted as it arrives.
    (CLEAR + ["２０。５"], "enter", "20.5", "8.10372734069824", "約 8.1 日"),
    (CLEAR + ["ー５"], "enter", "-5", "-11.6686115264893", NO_DEVELOPMENT),
    (CLEAR + ["\u200B20"], "enter", "20", "8.38222980499268", "約 8.4 日"),
    (CLEAR + ["\u3000２０"], "enter", "20", "8.38222980499268", "約 8.4 日"),
    (CLEAR + ["  20"], "enter", "20", "8.38222980499268", "約 8.4 日"),
    # Readings: nothing readable, below the threshold, absurdly hot, above the table.
    (CLEAR + ["abc"], "enter", "abc", ZERO_DEGREES, UNREADABLE),
    (CLEAR + ["4"], "enter", "4", "-84.0336151123047", NO_DEVELOPMENT),
    (CLEAR + ["1" + "0" * 48], "enter", "1" + "0" * 48, "0",
     "この水温は、この推定が当てはまる範囲から大きく外れています。"),
    (CLEAR + ["35"], "enter", "35", "4.12711524963379",
     "約 4.1 日。30℃を超える水温です。②のとおり、生存率は考慮していません。"),
]
# Laying date and temperature, and the hatch date shown: its datetime and words.
HATCH_DATES = [
    ("2026-06-01", "20", "2026-06-09", "2026年6月9日（火）ごろ"),
    ("2026-06-01", "12", "2026-06-20", "2026年6月20日（土）ごろ"),
    ("2028-02-25", "12", "2028-03-15", "2028年3月15日（水）ごろ"),
    ("2100-02-25", "20", "2100-03-05", "2100年3月5日（金）ごろ"),
    ("2026-12-28", "12", "2027-01-16", "2027年1月16日（土）ごろ"),
    ("9999-12-30", "5.5", None, "9999年12月31日より後"),
    ("2026-06-01", "4", None, ""),
    ("", "20", None, "産卵日を入れると、孵化予定日を表示します。"),
]
# Lowest and highest temperature (either order), laid 2026-06-01, and the
# range's dates and words.
HATCH_RANGES = [
    ("23", "18", ["2026-06-08", "2026-06-11"],
     "水温が18～23℃のあいだなら、早ければ2026年6月8日（月）ごろ、"
     "遅くても2026年6月11日（木）ごろに孵化する見込みです。"),
    ("4", "23", ["2026-06-08"],
     "水温が4～23℃のあいだなら、早ければ2026年6月8日（月）ごろに孵化する見込みです。"
     "水温が約5.45℃以下のあいだは発育が止まるので、遅いほうの日付は出せません。"),
]
# The page's fields and controls in the order Tab reaches them from the top.
TAB_ORDER = ["temperature", "laid", "lowest", "highest", "calculate", "quick-table-summary"]


def browser(width, height, phone=False):
    """Headless Chromium, offline, showing pages at width x height CSS pixels."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     f"--user-data-dir={tempfile.mkdtemp(prefix='eggperiod-chromium-')}",
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
    driver.set_network_conditions(offline=True, latency=0, download_throughput=0,
                                  upload_throughput=0)
    return driver


def load(driver):
    """Opens the page afresh and waits until it can calculate."""
    driver.get(Path(PAGE).resolve().as_uri())
    WebDriverWait(driver, WAIT_SECONDS).until(lambda d: d.execute_script(
        "return performance.getEntriesByName('eggperiod-ready').length > 0"))


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.driver = browser(1024, 768)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def setUp(self):
        load(self.driver)

    def element(self, identifier):
        return self.driver.find_element(By.ID, identifier)

    def test_calculates_as_the_window_does_and_loads_nothing(self):
        field = self.element("temperature")
        for keys, send, temperature, period, reading in SESSION:
            with self.subTest(keys=keys):
                field.send_keys(*keys)
                # A change to the field takes the last result away.
                self.assertEqual(self.element("period").text, "")
                if send == "enter":
                    field.send_keys(Keys.ENTER)
                else:
                    self.element("calculate").click()
                WebDriverWait(self.driver, WAIT_SECONDS).until(
                    lambda d: self.element("period").text == period,
                    f"{period!r} for {temperature!r}; saw {self.element('period').text!r}")
                self.assertEqual(field.get_property("value"), temperature)
                self.assertEqual(self.element("reading").text, reading)

        self.assertEqual(self.driver.execute_script(
            "return performance.getEntriesByType('resource').map(e => e.name)"), [])
        errors = [entry for entry in self.driver.get_log("browser")
                  if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [])

    def calculate(self, laid, temperature, lowest="", highest=""):
        self.driver.execute_script("document.getElementById('laid').value = arguments[0]", laid)
        for identifier, text in (("lowest", lowest), ("highest", highest),
                                 ("temperature", temperature)):
            self.element(identifier).send_keys(text)
        self.element("temperature").send_keys(Keys.ENTER)
        WebDriverWait(self.driver, WAIT_SECONDS).until(lambda d: self.element("period").text)

    def times(self, identifier):
        return [time.get_attribute("datetime") for time in
                self.element(identifier).find_elements(By.TAG_NAME, "time")]

    def test_hatch_date_is_the_laying_date_plus_the_period(self):
        for laid, temperature, datetime, words in HATCH_DATES:
            with self.subTest(laid=laid, temperature=temperature):
                load(self.driver)
                self.calculate(laid, temperature)
                self.assertEqual(self.element("hatch").text, words)
                self.assertEqual(self.times("hatch"), [datetime] if datetime else [])

    def test_hatch_range_from_the_highest_and_lowest_temperatures(self):
        for lowest, highest, datetimes, words in HATCH_RANGES:
            with self.subTest(lowest=lowest, highest=highest):
                load(self.driver)
                self.calculate("2026-06-01", "20", lowest, highest)
                self.assertEqual(self.element("hatch-range").text, words)
                self.assertEqual(self.times("hatch-range"), datetimes)

    def test_undo_and_redo_step_through_texts_the_field_held(self):
        field = self.element("temperature")
        seen = []
        for keys in (["1"], ["２０"], [Keys.CONTROL, "z"], [Keys.CONTROL, "z"],
                     [Keys.CONTROL, Keys.SHIFT, "z"], [Keys.ENTER]):
            field.send_keys(*keys)
            seen.append(field.get_property("value"))
        self.assertEqual(seen[:2], ["1", "120"])
        for value in seen:
            self.assertIn(value, ["", "1", "12", "120"], seen)

    def test_calculates_in_a_sandboxed_frame_without_forms(self):
        self.driver.execute_script(
            "const frame = document.createElement('iframe');"
            "frame.sandbox = 'allow-scripts'; frame.srcdoc = arguments[0];"
            "document.body.prepend(frame);", Path(PAGE).read_text(encoding="utf-8"))
        self.driver.switch_to.frame(self.driver.find_element(By.TAG_NAME, "iframe"))
        WebDriverWait(self.driver, WAIT_SECONDS).until(
            lambda d: d.find_elements(By.CSS_SELECTOR, "#quick-table tbody tr"))
        for send in (Keys.ENTER, None):
            self.element("temperature").send_keys(Keys.BACKSPACE * 2, "20", send or "")
            if send is None:
                self.element("calculate").click()
            WebDriverWait(self.driver, WAIT_SECONDS).until(
                lambda d: self.element("period").text == "8.38222980499268")
        self.driver.switch_to.default_content()

    def test_says_so_when_webassembly_cannot_run(self):
        driver = browser(1024, 768)
        try:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                   {"source": "delete window.WebAssembly"})
            driver.get(Path(PAGE).resolve().as_uri())
            alert = driver.find_element(By.ID, "page-alert")
            WebDriverWait(driver, WAIT_SECONDS).until(lambda d: alert.is_displayed())
            self.assertIn("計算できません", alert.text)
        finally:
            driver.quit()

    def test_prints_the_result_and_the_open_quick_table_on_one_a4_page(self):
        self.calculate("2026-06-01", "20", "18", "23")
        self.element("quick-table-summary").click()
        pdf = base64.b64decode(self.driver.execute_cdp_cmd(
            "Page.printToPDF", {"preferCSSPageSize": True})["data"])
        self.assertEqual(len(re.findall(rb"/Type\s*/Page[^s]", pdf)), 1)

    def test_quick_table_rows_come_from_the_calculation(self):
        self.element("quick-table-summary").click()
        rows = self.driver.find_elements(By.CSS_SELECTOR, "#quick-table tbody tr")
        cells = [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")] for row in rows]
        self.assertEqual([int(row[0]) for row in cells], list(range(6, 31)))
        self.assertEqual(cells[14], ["20", "8.4", "8.38222980499268"])

    def test_keyboard_reaches_every_control_with_a_visible_focus(self):
        # A date field may take several presses of Tab, one for each of its parts.
        reached = []
        while len(reached) < len(TAB_ORDER) and len(reached) < 20:
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            focused = self.driver.switch_to.active_element
            if reached[-1:] != [focused.get_attribute("id")]:
                reached.append(focused.get_attribute("id"))
                self.assertNotEqual(focused.value_of_css_property("outline-style"), "none",
                                    reached[-1])
        self.assertEqual(reached, TAB_ORDER)

    def test_axe_finds_no_accessibility_violations(self):
        self.element("quick-table-summary").click()
        self.driver.execute_script(AXE.read_text())
        violations = self.driver.execute_async_script(
            "axe.run(document).then(result => arguments[arguments.length - 1]("
            "result.violations.map(v => v.id + ': ' + v.nodes.map(n => n.target).join(' '))))")
        self.assertEqual(violations, [])


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
                driver.find_element(By.ID, "temperature").send_keys("20", Keys.ENTER)
                WebDriverWait(driver, WAIT_SECONDS).until(
                    lambda d: d.find_element(By.ID, "period").text == "8.38222980499268")
                # With the quick table open too.
                for table_open in (True, False):
                    self.assertLessEqual(driver.execute_script(
                        "document.querySelector('details').open = arguments[0];"
                        "return document.documentElement.scrollWidth", table_open), width)
                for identifier in TAB_ORDER:
                    height_px = driver.find_element(By.ID, identifier).rect["height"]
                    self.assertGreaterEqual(height_px, SMALLEST_TOUCH_TARGET, identifier)
                if picture:
                    driver.save_screenshot(str(Path(SHOTS) / picture))
            finally:
                driver.quit()


if __name__ == "__main__":
    PAGE, SHOTS = sys.argv[1:3]
    del sys.argv[1:3]
    unittest.main(verbosity=2)
