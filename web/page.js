// The calculator page's behaviour. The calculation core (createEggPeriodCore,
// inlined before this script with its WebAssembly in #core-wasm) writes every
// number and date; this script passes it the fields' texts and places what it
// returns.
(function () {
  "use strict";

  // What a Japanese keyboard types, turned into what the calculator reads as
  // the characters arrive, so that the field always shows the text that is
  // read. Full-width ASCII forms (U+FF01 to U+FF5E) lie FULL_WIDTH_OFFSET above
  // their half-width characters.
  const FULL_WIDTH_FORMS = /[\uFF01-\uFF5E]/g;
  const FULL_WIDTH_OFFSET = 0xfee0;
  const IDEOGRAPHIC_FULL_STOP = /\u3002/g;
  // The prolonged sound mark, full-width hyphen-minus, minus sign, hyphen and
  // non-breaking hyphen.
  const MINUS_SIGNS = /[\u30FC\uFF0D\u2212\u2010\u2011]/g;
  // Invisible characters copied along from web pages and PDFs: zero-width
  // space, soft hyphen, byte-order mark, direction marks, word joiner.
  const FORMAT_CHARACTERS = /\p{Cf}/gu;
  const LEADING_SPACES = /^[ \u3000]+/;
  // Insertions that can be converted before the browser applies them. Others
  // (an input method's text, a drop) are converted once they have arrived.
  const CONVERTIBLE_INSERTIONS = ["insertText", "insertFromPaste", "insertReplacementText"];
  const HISTORY_STEPS = ["historyUndo", "historyRedo"];
  // How the core marks dates and separates fields in its texts: the build
  // puts in the core's own marks.
  const FORMAT = {{page_format}};
  // The messages the notebook shows, by name, with "{name}" placeholders.
  const MESSAGES = {{messages}};
  const NO_DATE = [0, 0, 0];
  // Today is looked at again just after each midnight, and at least this
  // often, since the device's clock may be set or the device may sleep.
  const LONGEST_DAY_CHECK = 60 * 1000;
  const AFTER_MIDNIGHT = 50;

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
  const reducedMotion = matchMedia("(prefers-reduced-motion: reduce)");
  const pageAlert = document.getElementById("page-alert");
  const quickTable = document.querySelector("#quick-table tbody");
  const temperatureFields = [temperature, lowest, highest];

  function converted(text, atStart) {
    const result = text
      .replace(FORMAT_CHARACTERS, "")
      .replace(FULL_WIDTH_FORMS, function (character) {
        return String.fromCharCode(character.charCodeAt(0) - FULL_WIDTH_OFFSET);
      })
      .replace(IDEOGRAPHIC_FULL_STOP, ".")
      .replace(MINUS_SIGNS, "-");
    return atStart ? result.replace(LEADING_SPACES, "") : result;
  }

  // Inserts over the selection as typing does, as an edit of its own.
  function insertAsTyped(field, text) {
    const done = text === ""
      ? field.selectionStart === field.selectionEnd || document.execCommand("delete")
      : document.execCommand("insertText", false, text);
    if (!done) {
      field.setRangeText(text, field.selectionStart, field.selectionEnd, "end");
    }
  }

  // Typed or pasted characters: the converted ones are inserted instead.
  function convertArriving(event) {
    if (event.isComposing || !CONVERTIBLE_INSERTIONS.includes(event.inputType)) {
      return;
    }
    const field = event.target;
    const data = event.data !== null ? event.data
      : event.dataTransfer ? event.dataTransfer.getData("text/plain") : null;
    if (data === null) {
      return;
    }
    const text = converted(data, field.selectionStart === 0);
    if (text !== data) {
      event.preventDefault();
      insertAsTyped(field, text);
    }
  }

  // Characters that arrived some other way: the whole field is converted as
  // one edit, and the caret stays after the same characters.
  function convertField(field) {
    const text = field.value;
    const result = converted(text, true);
    if (result !== text) {
      const caret = converted(text.slice(0, field.selectionEnd), true).length;
      field.select();
      insertAsTyped(field, result);
      field.setSelectionRange(caret, caret);
    }
  }

  // Each temperature field keeps its own history of the texts it showed, one
  // entry an edit, for undo and redo. The browser's history would also hold
  // the text of an arrival before its conversion (an input method's 「２０」,
  // a dropped text, a deletion that leaves a leading space), which the field
  // never showed.
  const histories = new Map();

  function selection(field) {
    return { value: field.value, start: field.selectionStart, end: field.selectionEnd };
  }

  function record(field) {
    const history = histories.get(field);
    const shown = selection(field);
    if (history.entries[history.index].value === shown.value) {
      history.entries[history.index] = shown;
      return;
    }
    history.entries.splice(history.index + 1, Infinity, shown);
    history.index += 1;
  }

  // Moves one entry back (-1) or forward (+1) in the field's history and
  // shows it; at either end nothing changes.
  function step(field, direction) {
    const history = histories.get(field);
    const index = history.index + direction;
    if (index < 0 || index >= history.entries.length) {
      return;
    }
    history.index = index;
    const { value, start, end } = history.entries[index];
    field.value = value;
    field.setSelectionRange(start, end);
    field.dispatchEvent(new InputEvent("input", {
      bubbles: true, inputType: direction < 0 ? "historyUndo" : "historyRedo",
    }));
  }

  // Ctrl+Z (Command+Z) undoes; Ctrl+Shift+Z and Ctrl+Y redo.
  function historyKey(event) {
    if (!(event.ctrlKey || event.metaKey) || event.altKey) {
      return 0;
    }
    const key = event.key.toLowerCase();
    if (key === "z") {
      return event.shiftKey ? 1 : -1;
    }
    return key === "y" && !event.shiftKey ? 1 : 0;
  }

  function keepHistory(field) {
    histories.set(field, { entries: [selection(field)], index: 0 });
    field.addEventListener("keydown", function (event) {
      const direction = historyKey(event);
      if (direction !== 0 && !event.isComposing) {
        event.preventDefault();
        step(field, direction);
      }
    });
    // Undo and redo from a menu.
    field.addEventListener("beforeinput", function (event) {
      if (HISTORY_STEPS.includes(event.inputType)) {
        event.preventDefault();
        step(field, event.inputType === "historyUndo" ? -1 : 1);
      }
    });
  }

  function fillQuickTable(core) {
    const rows = core.ccall("QuickTable", "string", [], []).split(FORMAT.rowSeparator)
      .filter(Boolean);
    for (const row of rows) {
      const line = document.createElement("tr");
      for (const field of row.split(FORMAT.fieldSeparator)) {
        const cell = document.createElement("td");
        cell.textContent = field;
        line.appendChild(cell);
      }
      quickTable.appendChild(line);
    }
  }

  // The core's text with each marked date in a <time> element, whose pieces
  // never break across lines.
  function place(element, text) {
    element.replaceChildren();
    text.split(FORMAT.dateMark).forEach(function (part, index) {
      if (index % 2 === 0) {
        element.append(part);
        return;
      }
      const [isoDate, words] = part.split(FORMAT.dateTextMark);
      const time = document.createElement("time");
      time.dateTime = isoDate;
      for (const piece of words.split(FORMAT.dateBreak)) {
        const unbroken = document.createElement("span");
        unbroken.className = "unbroken";
        unbroken.textContent = piece;
        time.append(unbroken);
      }
      element.append(time);
    });
  }

  // A block of `text` in `className`, or nothing for an empty text.
  function block(text, className) {
    if (!text) {
      return [];
    }
    const element = document.createElement("div");
    element.className = className;
    element.textContent = text;
    return [element];
  }

  // The device's local date as YYYY-MM-DD.
  function today() {
    const now = new Date();
    const twoDigits = function (number) {
      return String(number).padStart(2, "0");
    };
    return `${now.getFullYear()}-${twoDigits(now.getMonth() + 1)}-${twoDigits(now.getDate())}`;
  }

  // Year, month and day of a YYYY-MM-DD date, or zeros when there is none.
  function dateParts(isoDate) {
    const parts = /^(\d+)-(\d+)-(\d+)$/.exec(isoDate);
    return parts ? parts.slice(1).map(Number) : NO_DATE;
  }

  // The element a press should bring into view: the range's result for a
  // press of Enter in a range field, otherwise the answer.
  function shownBy(event) {
    return event && rangeFields.includes(event.target) ? hatchRange : results;
  }

  function calculate(core, shown) {
    const [temperatureText, lowestText, highestText] = temperatureFields.map(function (field) {
      return field.value;
    });
    const result = core.fields(core.ccall(
      "CalculatePage", "string",
      ["string", "number", "number", "number", "number", "number", "number", "string", "string"],
      [temperatureText, ...dateParts(laid.value), ...dateParts(today()), lowestText,
        highestText]), FORMAT.resultFields);
    period.value = result.period;
    reading.replaceChildren(...block(result.words, "period-words"),
      ...block(result.note, "note-text"));
    place(hatch, result.hatch);
    place(hatchRange, result.range);
    results.classList.add("shown");
    // Observed anew, the answer is told whether it is wholly on the screen
    // once the page has been drawn: a press never forces a layout of its own.
    answerWatch.unobserve(shown);
    answerWatch.observe(shown);
  }

  const answerWatch = new IntersectionObserver(function (entries) {
    for (const entry of entries) {
      answerWatch.unobserve(entry.target);
      if (entry.intersectionRatio < 1) {
        entry.target.scrollIntoView({ block: "nearest",
          behavior: reducedMotion.matches ? "auto" : "smooth" });
      }
    }
  }, { threshold: 1 });

  // A result stays only as long as the fields it was calculated from.
  function clearResults() {
    results.classList.remove("shown");
    period.value = "";
    reading.replaceChildren();
    hatch.replaceChildren();
    hatchRange.replaceChildren();
  }

  // The laying date is today's until the user changes it, also when the page
  // is opened again on a later day (an installed app, a tab left open
  // overnight); a hatch date's distance from today is then out of date too.
  let filledToday = today();
  let laidChosen = false;
  const newDayListeners = [];
  function keepToday() {
    if (today() === filledToday) {
      return;
    }
    filledToday = today();
    if (!laidChosen) {
      laid.value = filledToday;
    }
    clearResults();
    for (const listener of newDayListeners) {
      listener();
    }
  }

  // A page left open past midnight moves to the new day by itself.
  function watchToday() {
    const now = new Date();
    const midnight = new Date(now.getFullYear(), now.getMonth(), now.getDate() + 1);
    setTimeout(function () {
      keepToday();
      watchToday();
    }, Math.min(midnight - now + AFTER_MIDNIGHT, LONGEST_DAY_CHECK));
  }

  // The WebAssembly is inside the page: hand it over, so nothing is fetched.
  // The core, compiled from the page's own WebAssembly while the page was read.
  const core = window.eggPeriodEarly.module.then(function (module) {
    return createEggPeriodCore({ wasmModule: module, format: FORMAT });
  }).then(function (ready) {
    performance.mark("eggperiod-ready");
    // The quick table is not needed to calculate.
    fillQuickTable(ready);
    return ready;
  });
  core.catch(function () {
    pageAlert.textContent = pageAlert.dataset.message;
  });

  function requestCalculation(event) {
    keepToday();
    const shown = shownBy(event);
    core.then(function (ready) {
      calculate(ready, shown);
    }, function () {});
  }

  laid.value = filledToday;
  watchToday();
  laid.addEventListener("input", function () {
    laidChosen = true;
  });
  document.addEventListener("visibilitychange", function () {
    if (document.visibilityState === "visible") {
      keepToday();
    }
  });
  window.addEventListener("pageshow", keepToday);
  window.addEventListener("focus", keepToday);
  for (const field of temperatureFields) {
    field.addEventListener("beforeinput", convertArriving);
    field.addEventListener("compositionend", function () {
      convertField(field);
      record(field);
    });
    field.addEventListener("input", function (event) {
      if (!event.isComposing && !HISTORY_STEPS.includes(event.inputType)) {
        convertField(field);
        record(field);
      }
    });
    keepHistory(field);
  }
  // The notebook's own fields (a clutch's name) change nothing calculated.
  form.addEventListener("input", function (event) {
    if (!("notebook" in event.target.dataset)) {
      clearResults();
    }
  });
  // Enter in any field and the calculate button calculate; the form itself is
  // never submitted, so the page also works where forms may not be sent (a
  // sandboxed frame).
  function onPress(event) {
    if (window.eggPeriodEarly.isPress(event)) {
      event.preventDefault();
      requestCalculation(event);
    }
  }
  form.addEventListener("keydown", onPress);
  form.addEventListener("click", onPress);
  form.addEventListener("submit", function (event) {
    event.preventDefault();
  });

  // The installable site keeps itself for offline use; the one-file page,
  // which has no manifest, and any page opened from disk do not.
  if (document.querySelector("link[rel=manifest]") && "serviceWorker" in navigator &&
      /^https?:$/.test(location.protocol)) {
    navigator.serviceWorker.register("sw.js");
  }

  // What the notebook's script uses of this one.
  window.eggPeriodPage = {
    core, format: FORMAT, messages: MESSAGES, place, today, dateParts, results, temperature, laid,
    // Calls `listener` whenever the page has moved to a new day.
    whenTodayChanges(listener) {
      newDayListeners.push(listener);
    },
    // The conversions of the temperature fields, for the notebook's fields too.
    convertTemperatureField(field) {
      field.addEventListener("beforeinput", convertArriving);
      field.addEventListener("compositionend", function () {
        convertField(field);
      });
      field.addEventListener("input", function (event) {
        if (!event.isComposing) {
          convertField(field);
        }
      });
    },
  };

  // A press that came before this script ran.
  window.eggPeriodEarly.stop();
  if (window.eggPeriodEarly.pending) {
    requestCalculation();
  }
})();
