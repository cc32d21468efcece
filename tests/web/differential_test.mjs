// The WebAssembly core against the native one: for every input that the
// native build's expected_texts program writes, the WebAssembly build must give
// the same text, byte for byte.
//
//   node differential_test.mjs CORE_WASM EXPECTED_TEXTS_PROGRAM
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createEggPeriodCore } from "../../web/core_loader.js";

const [coreWasmPath, program] = process.argv.slice(2);
const MOST_SHOWN = 10;

const written = spawnSync(program, { maxBuffer: 1 << 30 });
if (written.status !== 0) {
  console.error(`${program} failed: ${written.error ?? written.stderr}`);
  process.exit(1);
}
const records = written.stdout;

const core = await createEggPeriodCore({ wasmBinary: readFileSync(coreWasmPath) });
const { exports } = core;
const input = exports.malloc(256);

let passed = 0;
let failed = 0;
for (let at = 0; at < records.length;) {
  const inputLength = records[at];
  const inputBytes = records.subarray(at + 1, at + 1 + inputLength);
  at += 1 + inputLength;
  const expected = records.subarray(at + 1, at + 1 + records[at]);
  at += 1 + records[at];

  const memory = new Uint8Array(exports.memory.buffer);
  memory.set(inputBytes, input);
  memory[input + inputLength] = 0;
  const result = exports.Calculate(input);
  const after = new Uint8Array(exports.memory.buffer);
  const actual = after.subarray(result, after.indexOf(0, result));
  if (Buffer.compare(actual, expected) === 0) {
    ++passed;
  } else if (++failed <= MOST_SHOWN) {
    console.error(`input ${Buffer.from(inputBytes).toString("hex")}: native ` +
      `"${Buffer.from(expected)}", WebAssembly "${Buffer.from(actual)}"`);
  }
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
