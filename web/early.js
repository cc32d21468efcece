import { inflate } from "./inflate.js";

// Runs before the page's body. It inflates and compiles the calculation core
// (a small module, at once: waiting for the browser to compile it aside takes
// longer). It holds what counts as a press of the calculator (Enter in a
// field of the calculation, or a click of the calculate button), which the
// page's script uses too; until the calculator is ready, a press is
// remembered, and answered once the calculator is ready. The build bundles it
// as a script of its own in the page's head.
const early = { pending: false };

// The page carries its WebAssembly deflated and in base64: the smallest page.
function decodeBase64(text) {
  if (Uint8Array.fromBase64) {
    return Uint8Array.fromBase64(text);
  }
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) {
    bytes[i] = binary.charCodeAt(i);
  }
  return bytes;
}
// The WebAssembly is inside the page: nothing is fetched. Where it cannot
// run, the page's script says that it cannot calculate.
early.module = new Promise((resolve) => {
  const carried = document.getElementById("core-wasm");
  resolve(new WebAssembly.Module(inflate(decodeBase64(carried.textContent.trim()),
    Number(carried.dataset.size))));
});
early.module.catch(() => {});
early.isPress = (event) => {
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
early.stop = () => {
  document.removeEventListener("keydown", remember);
  document.removeEventListener("click", remember);
};
document.addEventListener("keydown", remember);
document.addEventListener("click", remember);
window.eggPeriodEarly = early;
