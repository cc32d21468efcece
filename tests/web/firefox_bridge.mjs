// Firefox ESR for the page test, driven over WebDriver BiDi: one JSON command
// a line on standard input (["method", ...arguments], the page test's engine
// methods), one JSON answer a line on standard output,
// {"value": ...} or {"error": "..."}. Real key presses and clicks. It closes
// the browser and ends when its standard input ends.
//
//   node firefox_bridge.mjs    (then e.g. ["open", "file:///..."])
import { createInterface } from "node:readline";
import puppeteer from "puppeteer-core";

const COMMAND_SECONDS = 30;

const browser = await puppeteer.launch({
  browser: "firefox",
  executablePath: "/usr/bin/firefox-esr",
  headless: true,
  defaultViewport: { width: 1024, height: 768 },
});
const page = await browser.newPage();
const errors = [];
page.on("pageerror", (error) => errors.push(error.message));

async function element(id) {
  const found = await page.$(`#${id}`);
  if (!found) {
    throw new Error(`no element #${id}`);
  }
  return found;
}

async function focused(id) {
  const found = await element(id);
  await found.focus();
  return found;
}

async function press(id, key, times = 1) {
  await focused(id);
  for (let i = 0; i < times; i += 1) {
    await page.keyboard.press(key);
  }
}

async function property(id, name) {
  return page.evaluate((found, key) => found[key], await element(id), name);
}

// The page test's engine methods (SeleniumEngine in page_test.py), by name.
const commands = {
  open: async (url) => {
    await page.goto(url);
  },
  reload: async () => {
    await page.reload();
  },
  clear: async (id) => {
    await press(id, "End");
    await press(id, "Backspace", (await property(id, "value")).length);
  },
  type: async (id, text) => (await focused(id)).type(text),
  enter: (id) => press(id, "Enter"),
  click: async (id) => (await element(id)).click(),
  value: (id) => property(id, "value"),
  text: (id) => property(id, "innerText"),
  script: (expression) => page.evaluate(expression),
  // Errors in the page's scripts and what its Content-Security-Policy refused.
  errors: () => errors.splice(0),
  resize: (width, height) => page.setViewport({ width, height }),
  screenshot: async (path) => {
    await page.screenshot({ path });
  },
};

function answer(reply) {
  process.stdout.write(`${JSON.stringify(reply)}\n`);
}

answer({ value: await browser.version() });
for await (const line of createInterface({ input: process.stdin })) {
  const [name, ...args] = JSON.parse(line);
  let timer;
  try {
    const value = await Promise.race([
      commands[name](...args),
      new Promise((resolve, reject) => {
        timer = setTimeout(() => reject(new Error(`${name} took over ${COMMAND_SECONDS} s`)),
          COMMAND_SECONDS * 1000);
      }),
    ]);
    answer({ value: value ?? null });
  } catch (error) {
    answer({ error: String(error.message || error) });
  } finally {
    clearTimeout(timer);
  }
}
await browser.close();
