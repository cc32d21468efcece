// Writes the calculator's page: one HTML file holding its style, its script and
// the calculation core's WebAssembly, and the file's SHA-256 beside it in
// sha256sum's format. The page's texts are asked of the core, which holds the
// window's texts, so both front ends show the same words.
//
//   node make_page.mjs TEMPLATE STYLE EARLY_SCRIPT SCRIPT CORE_JS CORE_WASM OUTPUT
import { createHash } from "node:crypto";
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { basename } from "node:path";

const [templatePath, stylePath, earlyScriptPath, scriptPath, coreJsPath, coreWasmPath, outputPath] =
  process.argv.slice(2);

const coreJs = readFileSync(coreJsPath, "utf8");
const coreWasm = readFileSync(coreWasmPath);
const createEggPeriodCore = createRequire(import.meta.url)(coreJsPath);
const core = await createEggPeriodCore({ wasmBinary: coreWasm });

function pageText(name) {
  const pointer = core.ccall("PageText", "number", ["string"], [name]);
  if (pointer === 0) {
    throw new Error(`${templatePath}: the core has no text named "${name}"`);
  }
  return core.UTF8ToString(pointer);
}

function escapeHtml(text) {
  return text.replace(/[&<>"']/g, (c) => `&#${c.charCodeAt(0)};`);
}

// Inline code may not end its own element early.
function inlined(code, element) {
  if (code.toLowerCase().includes(`</${element}`)) {
    throw new Error(`the inlined ${element} holds "</${element}"`);
  }
  return code;
}

function sha256(text, encoding) {
  return createHash("sha256").update(text).digest(encoding);
}

const style = inlined(readFileSync(stylePath, "utf8"), "style");
const earlyScript = inlined(readFileSync(earlyScriptPath, "utf8"), "script");
const script = inlined(`${coreJs}\n${readFileSync(scriptPath, "utf8")}`, "script");
// Nothing may be loaded: only the inlined scripts, the WebAssembly and the
// inlined style run.
const csp = [
  "default-src 'none'",
  `script-src 'sha256-${sha256(earlyScript, "base64")}' 'sha256-${sha256(script, "base64")}' ` +
    "'wasm-unsafe-eval'",
  `style-src 'sha256-${sha256(style, "base64")}'`,
  "base-uri 'none'",
  "form-action 'none'",
].join("; ");

const parts = {
  csp,
  style,
  early_script: earlyScript,
  script,
  core_wasm: coreWasm.toString("base64"),
  input_length: String(core.ccall("InputTextLength", "number", [], [])),
};
const page = readFileSync(templatePath, "utf8").replace(/\{\{(text:)?(\w+)\}\}/g,
  (placeholder, isText, name) => {
    if (isText) {
      return escapeHtml(pageText(name));
    }
    if (!(name in parts)) {
      throw new Error(`${templatePath}: unknown placeholder ${placeholder}`);
    }
    return parts[name];
  });

writeFileSync(outputPath, page);
writeFileSync(`${outputPath}.sha256`, `${sha256(page, "hex")}  ${basename(outputPath)}\n`);
