// The calculator page's behaviour. The calculation core (createEggPeriodCore,
// inlined before this script with its WebAssembly in #core-wasm) writes every
// number; this script passes it the field's text and places what it returns.
(function () {
  "use strict";

  // Full-width ASCII forms (U+FF01 to U+FF5E) lie this far above their
  // half-width characters. A Japanese keyboard types "２０", which the
  // calculator reads as 0: the field turns such characters half-width as they
  // arrive, so that it always shows the text that is read.
  const FULL_WIDTH_FORMS = /[\uFF01-\uFF5E]/g;
  const FULL_WIDTH_OFFSET = 0xfee0;

  const form = document.getElementById("calculator");
  const temperature = document.getElementById("temperature");
  const period = document.getElementById("period");
  const reading = document.getElementById("reading");
  const quickTable = document.querySelector("#quick-table tbody");

  function halfWidth(text) {
    return text.replace(FULL_WIDTH_FORMS, function (character) {
      return String.fromCharCode(character.charCodeAt(0) - FULL_WIDTH_OFFSET);
    });
  }

  // Keeps the caret where it was: each character keeps its length.
  function makeFieldHalfWidth() {
    const text = temperature.value;
    const converted = halfWidth(text);
    if (converted !== text) {
      const start = temperature.selectionStart;
      const end = temperature.selectionEnd;
      temperature.value = converted;
      temperature.setSelectionRange(start, end);
    }
  }

  function decodeBase64(text) {
    const binary = atob(text.trim());
    const bytes = new Uint8Array(binary.length);
    for (let i = 0; i < binary.length; ++i) {
      bytes[i] = binary.charCodeAt(i);
    }
    return bytes;
  }

  function fillQuickTable(core) {
    const rows = core.ccall("QuickTable", "string", [], []).split("\n").filter(Boolean);
    for (const row of rows) {
      const line = document.createElement("tr");
      for (const field of row.split("\t")) {
        const cell = document.createElement("td");
        cell.textContent = field;
        line.appendChild(cell);
      }
      quickTable.appendChild(line);
    }
  }

  function calculate(core) {
    // The core reads at most the field's length in bytes; never hand it more.
    const text = temperature.value.slice(0, temperature.maxLength);
    period.value = core.ccall("Calculate", "string", ["string"], [text]);
    reading.textContent = core.ccall("PeriodReading", "string", [], []);
  }

  // The WebAssembly is inside the page: hand it over, so nothing is fetched.
  const core = createEggPeriodCore({
    wasmBinary: decodeBase64(document.getElementById("core-wasm").textContent),
  }).then(function (ready) {
    fillQuickTable(ready);
    performance.mark("eggperiod-ready");
    return ready;
  });

  temperature.addEventListener("input", function (event) {
    if (!event.isComposing) {
      makeFieldHalfWidth();
    }
  });
  temperature.addEventListener("compositionend", makeFieldHalfWidth);
  form.addEventListener("submit", function (event) {
    event.preventDefault();
    core.then(calculate);
  });
})();
