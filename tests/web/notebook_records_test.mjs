// The notebook's records against the real WebAssembly core: each record
// checked at the door, backups read back with the records that fail named,
// and what crosses between the records and the core.
//
//   node notebook_records_test.mjs CORE_WASM TEXTS_WASM
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import test from "node:test";
import { createEggPeriodCore } from "../../web/core_loader.js";
import { createNotebookRecords } from "../../web/notebook_records.js";

const [coreWasm, textsWasm] = process.argv.slice(2);
const texts = await createEggPeriodCore({ wasmBinary: readFileSync(textsWasm) });
const textOf = (name) => JSON.parse(texts.UTF8ToString(texts.ccall(name, "number", [], [])));
const format = textOf("PageFormat");
const core = await createEggPeriodCore({
  wasmBinary: readFileSync(coreWasm), format, messages: textOf("Messages"),
});
const records = createNotebookRecords(core);

const TODAY = [2026, 6, 10];
const TIMES = { created: 1, updated: 2 };

// A record as 1.3.0 backed it up, with `changes`.
function clutch(changes) {
  return {
    id: "m1-abc", name: "A-3", laid: "2026-06-01", temperature: "20", hatched: "",
    log: [], ...TIMES, ...changes,
  };
}

function backup(clutches, changes) {
  return JSON.stringify({ format: "eggperiod-notebook", version: 1, clutches, ...changes });
}

test("a backup's records that fail are left out and named, the rest read", () => {
  const cases = [
    // what, the backup's records, the ids read, the sentences left out
    ["an id with a line end", [clutch({ id: "n\nl" }), clutch()], ["m1-abc"],
      ["1件目：IDに使えない文字があるか、IDが長すぎます。"]],
    ["an id with a tab", [clutch({ id: "a\tb" })], [],
      ["1件目：IDに使えない文字があるか、IDが長すぎます。"]],
    ["an id of 65 characters", [clutch({ id: "a".repeat(65) })], [],
      ["1件目：IDに使えない文字があるか、IDが長すぎます。"]],
    ["a laying date not in the calendar", [clutch(), clutch({ id: "b", laid: "2026-02-30" })],
      ["m1-abc"], ["2件目：産卵日 2026-02-30 は暦にない日付です。"]],
    ["a laying date of month 13", [clutch({ laid: "2026-13-45" })], [],
      ["1件目：産卵日 2026-13-45 は暦にない日付です。"]],
    ["a laying date that is no date", [clutch({ laid: "6/1" })], [],
      ["1件目：産卵日 6/1 は暦にない日付です。"]],
    ["a hatched date not in the calendar", [clutch({ hatched: "2026-06-31" })], [],
      ["1件目：孵化した日 2026-06-31 は暦にない日付です。"]],
    ["a day entry's date not in the calendar",
      [clutch({ log: [{ date: "2026-02-29", lowest: "20", highest: "20" }] })], [],
      ["1件目：日ごとの水温の日付 2026-02-29 は暦にない日付です。"]],
    ["a day entry without a number",
      [clutch({ log: [{ date: "2026-06-02", lowest: "abc", highest: "20" }] })], [],
      ["1件目：2026-06-02の水温が数として読めません。"]],
    ["a temperature without a number", [clutch({ temperature: "" })], [],
      ["1件目：水温が数として読めません。"]],
    ["a name with a line end", [clutch({ name: "A\n3" })], [],
      ["1件目：名前に改行などの制御文字が入っています。"]],
    ["a name with DEL", [clutch({ name: "A\u007f" })], [],
      ["1件目：名前に改行などの制御文字が入っています。"]],
    ["a name with a line separator", [clutch({ name: "A\u2028" })], [],
      ["1件目：名前に改行などの制御文字が入っています。"]],
    ["a name with a paragraph separator", [clutch({ name: "A\u2029" })], [],
      ["1件目：名前に改行などの制御文字が入っています。"]],
    ["one id twice", [clutch(), clutch({ name: "again" })], ["m1-abc"],
      ["2件目：ID m1-abc が1件目と同じです。"]],
    ["a record that is not a clutch's", [clutch({ log: "2026-06-02,20,20" }), null], [],
      ["1件目：記録の形が正しくありません。", "2件目：記録の形が正しくありません。"]],
    ["a record without its time", [clutch({ updated: "yesterday" })], [],
      ["1件目：記録の形が正しくありません。"]],
  ];
  for (const [what, clutches, ids, leftOut] of cases) {
    const read = records.readBackup(backup(clutches));
    assert.deepEqual(read.records.map((record) => record.id), ids, what);
    assert.deepEqual(read.leftOut, leftOut, what);
  }
});

test("a file that is no backup, damaged or newer changes nothing", () => {
  const cases = [
    ["not JSON", "名前,産卵日", "このファイルは記録帳のバックアップではありません。記録は何も変えていません。"],
    ["damaged JSON", backup([clutch()]).slice(0, -10),
      "このバックアップは壊れているため、読み込めません。記録は何も変えていません。"],
    ["another file's JSON", "{\"format\": \"other\"}",
      "このファイルは記録帳のバックアップではありません。記録は何も変えていません。"],
    ["no list of clutches", backup(undefined, { clutches: {} }),
      "このバックアップは壊れているため、読み込めません。記録は何も変えていません。"],
    ["a newer version", backup([clutch()], { version: 2 }),
      "このバックアップは新しい版の電卓で作られたため、読み込めません。電卓を新しくしてから読み込んでください。記録は何も変えていません。"],
  ];
  for (const [what, text, problem] of cases) {
    assert.deepEqual(records.readBackup(text), { problem }, what);
  }
});

test("a record is kept with its day entries in date order, one a date, as read", () => {
  const kept = records.checked(clutch({
    temperature: "20abc", log: [
      { date: "2026-06-03", lowest: "15", highest: "22" },
      { date: "2026-06-02", lowest: "18.0", highest: "18.0" },
      { date: "2026-06-03", lowest: "17", highest: "17" },
      { date: "2026-05-30", lowest: "4", highest: "4" }, // before laying: kept, not counted
    ],
  }));
  assert.deepEqual(kept, { record: clutch({
    temperature: "20", log: [
      { date: "2026-05-30", lowest: "4", highest: "4" },
      { date: "2026-06-02", lowest: "18.0", highest: "18.0" },
      { date: "2026-06-03", lowest: "17", highest: "17" },
    ],
  }) });
});

test("an opened card lists the day entries newest first, in words", () => {
  const log = [
    { date: "2026-05-30", lowest: "4", highest: "4" },
    { date: "2026-06-03", lowest: "22", highest: "15" },
    { date: "2026-06-02", lowest: "18.0", highest: "18.0" },
  ];
  assert.deepEqual(records.days(clutch({ log })), [
    { date: "2026-06-03", words: "6月3日の15～22℃" },
    { date: "2026-06-02", words: "6月2日の18℃" },
    { date: "2026-05-30", words: "5月30日の4℃（産卵日より前のため数えていません）" },
  ]);
});

test("a temperature typed in the notebook is read whole or refused naming its field", () => {
  const cases = [
    ["20", { text: "20" }],
    ["-3.5", { text: "-3.5" }],
    ["20,5", { problem: "最低水温（℃）の「20,5」には数として読めない文字があります。数だけを入れてください。" }],
    ["20abc", { problem: "最低水温（℃）の「20abc」には数として読めない文字があります。数だけを入れてください。" }],
  ];
  for (const [text, result] of cases) {
    assert.deepEqual(records.typedTemperature(text, "最低水温（℃）"), result, text);
  }
});

test("the list names every record: one that cannot be shown is listed last, saying why", () => {
  const damaged = clutch({ id: "b", log: "2026-06-02,20,20" });
  const listed = records.list([damaged, clutch()], TODAY, "");
  assert.deepEqual(listed.clutches.map((shown) => [shown.record.id, shown.group, shown.state]), [
    ["m1-abc", "late", "孵化予定日を1日過ぎています。"],
    ["b", "damaged", "表示できない記録です（記録の形が正しくありません）。"],
  ]);
  // The same records a day later: worked out again for the new day.
  assert.equal(records.list([damaged, clutch()], [2026, 6, 11], "").clutches[0].state,
    "孵化予定日を2日過ぎています。");
  assert.deepEqual(records.list([damaged], TODAY, "").clutches.map((shown) => shown.group),
    ["damaged"]);
});

test("of two copies of a record, the one changed later is kept", () => {
  const cases = [
    [{ updated: 3 }, undefined, true],
    [{ updated: 3 }, { updated: 2 }, true],
    [{ updated: 2 }, { updated: 2 }, false],
    [{ updated: 1 }, { updated: 2 }, false],
    [{ updated: 1 }, { updated: "yesterday" }, true],
  ];
  for (const [incoming, kept, replaces] of cases) {
    assert.equal(records.replaces(incoming, kept), replaces, JSON.stringify([incoming, kept]));
  }
});

test("the files: the spreadsheet keeps its byte-order mark, a calendar any name", () => {
  assert.ok(records.spreadsheet([clutch()], TODAY).startsWith("\uFEFF名前,"));
  const event = records.calendar(clutch({ name: "名".repeat(10000), log: [] }), TODAY, 0);
  const lines = event.split("\r\n");
  assert.ok(lines.every((line) => Buffer.byteLength(line) <= 75));
  assert.ok(lines.includes("DTSTAMP:19700101T000000Z"));
  assert.equal(lines.filter((line) => line.startsWith("SUMMARY:")).length, 1);
});
