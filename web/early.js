// Runs before the page's body: until the calculator is ready, a press of Enter
// in a field or of the calculate button is remembered, and answered once the
// calculator is ready.
(function () {
  "use strict";
  const early = { pending: false };
  function remember(event) {
    const target = event.target;
    if ((event.type === "keydown" && event.key === "Enter" && target.tagName === "INPUT") ||
        (event.type === "click" && target.id === "calculate")) {
      early.pending = true;
    }
  }
  early.stop = function () {
    document.removeEventListener("keydown", remember);
    document.removeEventListener("click", remember);
  };
  document.addEventListener("keydown", remember);
  document.addEventListener("click", remember);
  window.eggPeriodEarly = early;
})();
