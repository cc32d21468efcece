"""The browser page as a person uses it: the built file opened from disk in
headless Chromium with the network cut, real key presses and clicks, then its
requests, console, accessibility and layout on a phone.

Arguments: the page, and the folder for the screenshots.
"""

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
NO_DEVELOPMENT = "この水温では卵は発育しません。卵が発育するのは、水温が約 5.45 ℃ より高いときです。"

# Keys pressed in the temperature field, then Enter or a click on the button,
# and what the field, the result and its reading must then show.
SESSION = [
    # keys, how it is sent, field, result, reading
    (["12.75"], "enter", "12.75", "16.7084369659424", "約 16.7 日"),
    ([Keys.END] + [Keys.BACKSPACE] * 5 + ["20abc"], "click", "20abc", "8.38222980499268",
     "約 8.4 日"),
    ([Keys.END] + [Keys.BACKSPACE] * 5, "click", "", ZERO_DEGREES, NO_DEVELOPMENT),
    (["２０"], "click", "20", "8.38222980499268", "約 8.4 日"),
    ([Keys.BACKSPACE * 2, "５．５"], "enter", "5.5", "2500", "約 2500.0 日"),
]
# The page's controls in the order Tab reaches them from the top.
TAB_ORDER = ["temperature", "calculate", "quick-table-summary"]


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

    def test_quick_table_rows_come_from_the_calculation(self):
        self.element("quick-table-summary").click()
        rows = self.driver.find_elements(By.CSS_SELECTOR, "#quick-table tbody tr")
        cells = [[cell.text for cell in row.find_elements(By.TAG_NAME, "td")] for row in rows]
        self.assertEqual([int(row[0]) for row in cells], list(range(6, 31)))
        self.assertEqual(cells[14], ["20", "8.4", "8.38222980499268"])

    def test_keyboard_reaches_every_control_with_a_visible_focus(self):
        for identifier in TAB_ORDER:
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            focused = self.driver.switch_to.active_element
            self.assertEqual(focused.get_attribute("id"), identifier)
            self.assertNotEqual(focused.value_of_css_property("outline-style"), "none",
                                identifier)

    def test_axe_finds_no_accessibility_violations(self):
        self.element("quick-table-summary").click()
        self.driver.execute_script(AXE.read_text())
        violations = self.driver.execute_async_script(
            "axe.run(document).then(result => arguments[arguments.length - 1]("
            "result.violations.map(v => v.id + ': ' + v.nodes.map(n => n.target).join(' '))))")
        self.assertEqual(violations, [])


class Layout(unittest.TestCase):
    def test_fits_a_phone_in_one_column_with_large_touch_targets(self):
        # width, height, a phone, picture
        for width, height, phone, picture in ((360, 740, True, None),
                                              (390, 844, True, "page-390x844.png"),
                                              (1024, 768, False, "page-1024x768.png")):
            driver = browser(width, height, phone)
            try:
                load(driver)
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
