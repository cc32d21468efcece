// Runs before the page's body. It compiles the calculation core (a small
// module, at once: waiting for the browser to compile it aside takes
// longer). It holds what
// counts as a press of the calculator (Enter in a field of the calculation,
// or a click of the calculate button), which the page's script uses too;
// until the calculator is ready, a press is remembered, and answered once the
// calculator is ready. The build bundles it as a script of its own in the
// page's head.
const early = { pending: false };

// The page carries its WebAssembly in hexadecimal, which its gzip packs
// much tighter than base64: each byte stays two whole characters.
function decodeHex(text) {
  if (Uint8Array.fromHex) {
    return Uint8Array.fromHex(text);
  }
  // "0"-"9" are 0x30-0x39 and "a"-"f" 0x61-0x66: the low four bits, and 9
  // more for a letter.
  const digit = function (code) {
    return (code & 0xf) + (code >> 6) * 9;
  };
  const bytes = new Uint8Array(text.length / 2);
  for (let i = 0; i < bytes.length; ++i) {
    bytes[i] = digit(text.charCodeAt(2 * i)) << 4 | digit(text.charCodeAt(2 * i + 1));
  }
  return bytes;
}
// The WebAssembly is inside the page: nothing is fetched. Where it cannot
// run, the page's script says that it cannot calculate.
early.module = new Promise(function (resolve) {
  resolve(new WebAssembly.Module(decodeHex(
    document.getElementById("core-wasm").textContent.trim())));
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
