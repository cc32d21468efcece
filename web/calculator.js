// The calculator: the temperature, the laying date and the range's fields,
// and what one press of 計　　算 shows. The calculation core writes every
// number and date; this component passes it the fields' texts and places
// what it returns.
import { block, place } from "./page_text.js";
import { convertTemperatureField } from "./temperature_field.js";
import { dateParts, keepToday, today, whenTodayChanges } from "./today.js";

const CALCULATE_ARGUMENTS =
  ["string", "number", "number", "number", "number", "number", "number", "string", "string"];

// The calculator's elements by id, `core` a promise of the calculation core
// and `early` what the page's head remembered (see early.js). Gives the
// fields the notebook reads, and the results a save goes under.
export function createCalculator(core, early) {
  const form = document.getElementById("calculator");
  const temperature = document.getElementById("temperature");
  const laid = document.getElementById("laid");
  const lowest = document.getElementById("lowest");
  const highest = document.getElementById("highest");
  const period = document.getElementById("period");
  const results = document.getElementById("results");
  const reading = document.getElementById("reading");
  const hatch = document.getElementById("hatch");
  const hatchRange = document.getElementById("hatch-range");
  const rangeFields = [lowest, highest];
  const temperatureFields = [temperature, lowest, highest];
  const reducedMotion = matchMedia("(prefers-reduced-motion: reduce)");

  // The element a press should bring into view: the range's result for a
  // press of Enter in a range field, otherwise the answer.
  function shownBy(event) {
    return event && rangeFields.includes(event.target) ? hatchRange : results;
  }

  const answerWatch = new IntersectionObserver((entries) => {
    for (const entry of entries) {
      answerWatch.unobserve(entry.target);
      if (entry.intersectionRatio < 1) {
        entry.target.scrollIntoView({ block: "nearest",
          behavior: reducedMotion.matches ? "auto" : "smooth" });
      }
    }
  }, { threshold: 1 });

  function calculate(ready, shown) {
    const [temperatureText, lowestText, highestText] = temperatureFields.map((field) => {
      return field.value;
    });
    const result = ready.fields(ready.ccall("CalculatePage", "string", CALCULATE_ARGUMENTS,
      [temperatureText, ...dateParts(laid.value), ...dateParts(today()), lowestText,
        highestText]), ready.format.resultFields);
    period.value = result.period;
    reading.replaceChildren(...block(result.words, "period-words"),
      ...block(result.note, "note-text"));
    place(hatch, result.hatch, ready.format);
    place(hatchRange, result.range, ready.format);
    results.classList.add("shown");
    // Observed anew, the answer is told whether it is wholly on the screen
    // once the page has been drawn: a press never forces a layout of its own.
    answerWatch.unobserve(shown);
    answerWatch.observe(shown);
  }

  // A result stays only as long as the fields it was calculated from.
  function clearResults() {
    results.classList.remove("shown");
    period.value = "";
    reading.replaceChildren();
    hatch.replaceChildren();
    hatchRange.replaceChildren();
  }

  function requestCalculation(event) {
    keepToday();
    const shown = shownBy(event);
    core.then((ready) => {
      calculate(ready, shown);
    }, () => {});
  }

  // Enter in any field and the calculate button calculate; the form itself is
  // never submitted, so the page also works where forms may not be sent (a
  // sandboxed frame).
  function onPress(event) {
    if (early.isPress(event)) {
      event.preventDefault();
      requestCalculation(event);
    }
  }

  // The laying date is today's until the user changes it, also when the page
  // is opened again on a later day (an installed app, a tab left open
  // overnight); a hatch date's distance from today is then out of date too.
  let laidChosen = false;
  laid.value = today();
  laid.addEventListener("input", () => {
    laidChosen = true;
  });
  whenTodayChanges(() => {
    if (!laidChosen) {
      laid.value = today();
    }
    clearResults();
  });
  for (const field of temperatureFields) {
    convertTemperatureField(field, true);
  }
  // The notebook's own fields (a clutch's name) change nothing calculated.
  form.addEventListener("input", (event) => {
    if (!("notebook" in event.target.dataset)) {
      clearResults();
    }
  });
  form.addEventListener("keydown", onPress);
  form.addEventListener("click", onPress);
  form.addEventListener("submit", (event) => {
    event.preventDefault();
  });

  return { temperature, laid, results, requestCalculation };
}

// The quick table, from the core: a row each, its cells in the order the
// core's layout names them.
export function fillQuickTable(core) {
  const quickTable = document.querySelector("#quick-table tbody");
  const rows = core.ccall("QuickTable", "string", [], []).split(core.format.rowSeparator)
    .slice(0, -1);
  for (const row of rows) {
    const line = document.createElement("tr");
    const fields = core.fields(row, core.format.quickTableFields);
    for (const name of core.format.quickTableFields) {
      const cell = document.createElement("td");
      cell.textContent = fields[name];
      line.appendChild(cell);
    }
    quickTable.appendChild(line);
  }
}
