// Runs before the page's body. It inflates and compiles the calculation core
// (a small module, at once once inflated: waiting for the browser to compile
// it aside takes longer). It holds what
// counts as a press of the calculator (Enter in a field of the calculation,
// or a click of the calculate button), which the page's script uses too;
// until the calculator is ready, a press is remembered, and answered once the
// calculator is ready. The build bundles it as a script of its own in the
// page's head.
const early = { pending: false };

// The page carries its WebAssembly compressed (deflate) and in base64: the
// smallest page, and the browser inflates it at once.
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
// run, or cannot be inflated, the page's script says that it cannot calculate.
early.module = new Promise(function (resolve) {
  const compressed = new Blob([decodeBase64(
    document.getElementById("core-wasm").textContent.trim())]);
  resolve(new Response(compressed.stream().pipeThrough(new DecompressionStream("deflate")))
    .arrayBuffer());
}).then(function (bytes) {
  return new WebAssembly.Module(bytes);
});
early.module.catch(function () {});
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
