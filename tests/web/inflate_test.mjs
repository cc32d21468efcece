// The page's inflater against Node's zlib and zopfli: stored, fixed and
// dynamic blocks, runs longer than a block, and the core as the page carries it.
//
//   node inflate_test.mjs CORE_WASM
import assert from "node:assert/strict";
import { randomBytes } from "node:crypto";
import { readFileSync } from "node:fs";
import test from "node:test";
import { deflateSync } from "node:zlib";
import zopfli from "../../web/node_modules/@gfx/zopfli/dist/index.js";
import { inflate } from "../../web/inflate.js";

const text = Buffer.from("卵期間推定電卓 ".repeat(500));
const cases = [
  // what, the bytes, zlib's level
  ["nothing", Buffer.alloc(0), 9],
  ["one byte", Buffer.from([7]), 9],
  ["random bytes, stored", randomBytes(70000), 0],
  ["random bytes, deflated", randomBytes(5000), 9],
  ["a short text, fixed codes", Buffer.from("abcabcabcabc"), 9],
  ["a repeated text, dynamic codes", text, 9],
  ["one byte 100,000 times", Buffer.alloc(100000, 0x41), 9],
];

test("inflates what zlib deflates, at every level of block", () => {
  for (const [what, bytes, level] of cases) {
    assert.deepEqual(Buffer.from(inflate(deflateSync(bytes, { level }), bytes.length)), bytes,
      what);
  }
});

test("inflates the core as zopfli deflates it for the page", async () => {
  const core = readFileSync(process.argv[2]);
  const deflated = await zopfli.zlibAsync(core, { numiterations: 15, blocksplittingmax: 4 });
  assert.deepEqual(Buffer.from(inflate(deflated, core.length)), core);
});
