// Runs before the page's body. It holds what counts as a press of the
// calculator (Enter in a field of the calculation, or a click of the
// calculate button), which the
// page's script uses too; until the calculator is ready, a press is
// remembered, and answered once the calculator is ready.
(function () {
  "use strict";
  const early = { pending: false };
  early.isPress = function (event) {
    const target = event.target;
    return (event.type === "keydown" && event.key === "Enter" && !event.isComposing &&
            target.tagName === "INPUT" && !("notebook" in target.dataset)) ||
      (event.type === "click" && target.id === "calculate");
  };
  function remember(event) {
    if (early.isPress(event)) {
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
