// The page's script: loads the calculation core that the page's head compiled
// (early.js), starts the calculator, then the quick table and the notebook.
import { createCalculator, fillQuickTable } from "./calculator.js";
import { createEggPeriodCore } from "./core_loader.js";
import { FORMAT, MESSAGES } from "./core_texts.js";
import { startNotebook } from "./notebook.js";
import { watchPageShown, watchToday } from "./today.js";

const early = window.eggPeriodEarly;
const pageAlert = document.getElementById("page-alert");

// The WebAssembly is inside the page: hand it over, so nothing is fetched.
const core = early.module.then((module) => {
  return createEggPeriodCore({ wasmModule: module, format: FORMAT, messages: MESSAGES });
}).then((ready) => {
  performance.mark("eggperiod-ready");
  // The quick table is not needed to calculate.
  fillQuickTable(ready);
  return ready;
});
core.catch(() => {
  pageAlert.textContent = pageAlert.dataset.message;
});

const calculator = createCalculator(core, early);
watchToday();
watchPageShown();

// The installable site keeps itself for offline use; the one-file page,
// which has no manifest, and any page opened from disk do not.
if (document.querySelector("link[rel=manifest]") && "serviceWorker" in navigator &&
    /^https?:$/.test(location.protocol)) {
  navigator.serviceWorker.register("sw.js");
}

// A press that came before this script ran.
early.stop();
if (early.pending) {
  calculator.requestCalculation();
}

core.then((ready) => {
  return startNotebook(ready, calculator);
}, () => {});
