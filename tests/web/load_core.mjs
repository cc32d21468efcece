// The page's calculation core for the Node tests, loaded as the page loads it:
// the core's WebAssembly with the format and messages the build takes from
// the texts' WebAssembly.
import { readFileSync } from "node:fs";
import { createEggPeriodCore } from "../../web/core_loader.js";

// The core, and its messages by name as the build gives them to the page.
export async function loadCore(coreWasm, textsWasm) {
  const texts = await createEggPeriodCore({ wasmBinary: readFileSync(textsWasm) });
  const textOf = (name) => JSON.parse(texts.UTF8ToString(texts.ccall(name, "number", [], [])));
  const messages = textOf("Messages");
  const core = await createEggPeriodCore({
    wasmBinary: readFileSync(coreWasm), format: textOf("PageFormat"), messages,
  });
  return { core, messages };
}
