// The notebook's records against the real WebAssembly core: each record
// through the door, backups read back with what was mended and what was left
// out named, two copies of a clutch merged, the list, and what crosses
// between the records and the core.
//
//   node notebook_records_test.mjs CORE_WASM TEXTS_WASM
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { fileURLToPath } from "node:url";
import test from "node:test";
import { createNotebookRecords, fromStore, STORED_LOG, toStore }
  from "../../web/notebook_records.js";
import { loadCore } from "./load_core.mjs";

const { core, messages } = await loadCore(...process.argv.slice(2));
const records = createNotebookRecords(core);

const TODAY = [2026, 6, 10];
const TIMES = { created: 1, updated: 2 };
const ID_MENDED = "IDに使えない文字があるか、IDが長すぎたため、ID";

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

function entry(date, lowest, highest = lowest) {
  return { date, lowest, highest };
}

test("a backup's records pass the door: mended and named, kept asking, or left out", () => {
  const cases = [
    // what, the backup's records, the ids read, the sentences mended, those left out
    ["an id with a line end", [clutch({ id: "n\nl" }), clutch()], ["m-2260dc19266d8827", "m1-abc"],
      [`「A-3」：${ID_MENDED}をm-2260dc19266d8827にしました。`], []],
    ["a name with a line separator", [clutch({ name: "A\u20283" })], ["m1-abc"],
      ["「A 3」：名前の中の改行などの制御文字を空白にしました。"], []],
    ["a name of 41 characters", [clutch({ name: "名".repeat(41) })], ["m1-abc"],
      [`「${"名".repeat(40)}」：名前が長すぎたため、先頭の40文字にしました。`], []],
    ["no time of the last change", [clutch({ updated: "yesterday" })], ["m1-abc"],
      ["「A-3」：変更した日時がなかったため、いちばん古い記録として扱います。"], []],
    ["a day entry that is no entry", [clutch({ log: [null, entry("2026-06-02", "20")] })],
      ["m1-abc"], ["「A-3」：形の正しくない日ごとの水温を除きました。"], []],
    // Kept as it is, its card asking for the part (the core's table has
    // every rule of the door).
    ["a temperature with a comma", [clutch({ temperature: "20,5" })], ["m1-abc"], [], []],
    // Left out, each named with its place.
    ["one id twice", [clutch(), clutch({ name: "again" })], ["m1-abc"], [],
      ["2件目：ID m1-abc が1件目と同じです。"]],
    ["records that are no clutch's", [clutch({ log: "2026-06-02,20,20" }), null, 3, [clutch()]],
      [], [], ["1件目：記録の形が正しくありません。", "2件目：記録の形が正しくありません。",
        "3件目：記録の形が正しくありません。", "4件目：記録の形が正しくありません。"]],
    ["an id that is no text", [clutch({ id: 7 })], [], [], ["1件目：記録の形が正しくありません。"]],
  ];
  for (const [what, clutches, ids, mended, leftOut] of cases) {
    const read = records.readBackup(backup(clutches), TODAY);
    assert.deepEqual(read.records.map((record) => record.id), ids, what);
    assert.deepEqual(read.mended, mended, what);
    assert.deepEqual(read.leftOut, leftOut, what);
  }
});

test("a record keeps every field of its own and of its entries, and under `mended` what was put right", () => {
  const [read] = records.readBackup(backup([clutch({
    name: "A\n3", note: { cup: 4 }, mended: { laid: "2026-05-31" },
    log: [{ ...entry("2026-06-03", "18"), photo: "p1" }, { ...entry("2026-06-02", "20"), by: "B" }],
  })]), TODAY).records;
  assert.deepEqual(read, {
    ...clutch({ name: "A 3" }), note: { cup: 4 },
    log: [{ ...entry("2026-06-02", "20"), by: "B" }, { ...entry("2026-06-03", "18"), photo: "p1" }],
    mended: {
      laid: "2026-05-31", name: "A\n3",
      log: [{ ...entry("2026-06-03", "18"), photo: "p1" }, { ...entry("2026-06-02", "20"), by: "B" }],
    },
  });
  // A backup's entry after the day after today stays set aside once read.
  const [future] = records.readBackup(backup([clutch({ log: [entry("2026-06-12", "20")] })]),
    TODAY).records;
  assert.equal(future.log[0].aside, "after-import");
  assert.equal(records.check([future], "stored", [2026, 6, 20])[0].record.log[0].aside,
    "after-import");
});

test("a file that is no backup, damaged, newer or too large changes nothing", () => {
  const cases = [
    ["not JSON", "名前,産卵日", "このファイルは記録帳のバックアップではありません。記録は何も変えていません。"],
    ["damaged JSON", backup([clutch()]).slice(0, -10),
      "このバックアップは壊れているため、読み込めません。記録は何も変えていません。"],
    ["another file's JSON", "{\"format\": \"other\"}",
      "このファイルは記録帳のバックアップではありません。記録は何も変えていません。"],
    ["JSON that is no object", "[1]",
      "このファイルは記録帳のバックアップではありません。記録は何も変えていません。"],
    ["no list of clutches", backup(undefined, { clutches: {} }),
      "このバックアップは壊れているため、読み込めません。記録は何も変えていません。"],
    ["a newer version", backup([clutch()], { version: 2 }),
      "このバックアップは新しい版の電卓で作られたため、読み込めません。電卓を新しくしてから読み込んでください。記録は何も変えていません。"],
  ];
  for (const [what, text, problem] of cases) {
    assert.deepEqual(records.readBackup(text, TODAY), { problem }, what);
  }
});

test("what reading a backup says names at most 20 records left out, then how many more", () => {
  const read = records.readBackup(backup(Array(25).fill(null)), TODAY);
  const words = records.importedWords(0, 0, read.leftOut, read.mended);
  assert.equal(words, "読み込みました。追加0件、更新0件。次の25件は読み込んでいません。" +
    Array.from({ length: 20 }, (_, index) => `${index + 1}件目：記録の形が正しくありません。`).join("") +
    "ほか5件。");
  const mended = records.readBackup(backup(Array.from({ length: 21 }, (_, index) =>
    clutch({ id: `a ${index}`, name: String(index) }))), TODAY);
  assert.ok(records.importedWords(21, 0, mended.leftOut, mended.mended)
    .startsWith("読み込みました。追加21件、更新0件。次の21件は直して読み込みました。「0」："));
  assert.ok(records.importedWords(21, 0, mended.leftOut, mended.mended).endsWith("ほか1件。"));
  // A backup of 100,000 records that are no clutch's is answered at once.
  const start = performance.now();
  const many = records.readBackup(backup(Array(100000).fill(null)), TODAY);
  const said = records.importedWords(0, 0, many.leftOut, many.mended);
  assert.ok(performance.now() - start < 2000, `${performance.now() - start} ms`);
  assert.ok(said.length < 1000 && said.endsWith("ほか99980件。"), said.slice(-40));
});

test("a backup is written without indentation, and reads back to the same records", () => {
  const kept = [clutch({ log: [entry("2026-06-02", "20")] }), clutch({ id: "b", note: 1 })];
  const text = records.backupText(kept, 0);
  assert.ok(!text.includes("\n") && !text.includes(": "));
  assert.deepEqual(records.readBackup(text, TODAY).records, kept);
});

test("the database keeps a log of plain entries as one text, which reads back as it was", () => {
  const aside = { ...entry("2026-06-12", "19"), aside: "after-import" };
  const cases = [
    // what, the log, the text it is kept as (undefined: kept as a list)
    ["no entries", [], ""],
    ["two entries, one set aside", [entry("2026-06-02", "18", "22"), aside],
      "2026-06-02\t18\t22\t\t2026-06-12\t19\t19\tafter-import"],
    ["an entry with a field of a newer page", [{ ...entry("2026-06-02", "18"), cup: "A" }],
      undefined],
    ["a temperature that is a number", [{ ...entry("2026-06-02", "18"), lowest: 18 }], undefined],
    ["a date with a tab", [entry("2026-06-02\t", "18")], undefined],
    ["a temperature with a line end", [entry("2026-06-02", "18\n")], undefined],
    ["an empty aside", [{ ...entry("2026-06-02", "18"), aside: "" }], undefined],
    ["an entry that is no entry", [null], undefined],
  ];
  for (const [what, log, text] of cases) {
    const record = clutch({ log, note: { cup: 3 } });
    const kept = toStore(record);
    assert.equal(kept[STORED_LOG], text, what);
    assert.equal("log" in kept, text === undefined, what);
    const read = fromStore(structuredClone(kept));
    // Handed to the core, the row is the row of the record as it was, and
    // a log kept as text is not unpacked for it.
    assert.equal(records.rowOf(read), records.rowOf(record), what);
    assert.equal(Object.getOwnPropertyDescriptor(read, "log").get !== undefined,
      text !== undefined, what);
    assert.deepEqual(read, record, what);
    // Kept again unchanged, it is kept as the same text.
    assert.deepEqual(toStore(read), kept, what);
  }
  // A record with no log of a clutch's shape is kept as it is.
  for (const record of [{ id: "a", log: "2026-06-02,18,18" }, { id: "b" }, null]) {
    assert.equal(toStore(record), record);
    assert.equal(fromStore(record), record);
  }
});

test("an opened card lists the day entries newest first, then those set aside", () => {
  const log = [
    entry("2026-05-30", "4"),
    entry("2026-06-03", "22", "15"),
    entry("2026-11-31", "20"),
    entry("2026-06-02", "18.0"),
    entry("2026-06-04", "20,5"),
  ];
  const listed = [
    { source: "1", date: "2026-06-03", words: "6月3日の15～22℃" },
    { source: "3", date: "2026-06-02", words: "6月2日の18℃" },
    { source: "0", date: "2026-05-30", words: "5月30日の4℃（産卵日より前のため数えていません）" },
    { source: "4", date: "2026-06-04", words: "2026-06-04の20,5℃（水温が数として読めないため数えていません）" },
    { source: "2", date: "2026-11-31", words: "2026-11-31の20℃（日付が読めないため数えていません）" },
  ];
  assert.deepEqual(records.days(clutch({ log }), TODAY), { total: 5, days: listed });
  assert.deepEqual(records.days(clutch({ log }), TODAY, 2), { total: 5, days: listed.slice(0, 2) });
  assert.deepEqual(records.days(clutch({ log }), TODAY, 4), { total: 5, days: listed.slice(0, 4) });
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

test("the list names every record: one that cannot be shown last, one that asks for a part before", () => {
  const damaged = clutch({ id: "b", log: "2026-06-02,20,20" });
  const asks = clutch({ id: "c", laid: "2026-02-30" });
  assert.deepEqual(records.listPut([["b", damaged], ["a", clutch()], ["c", asks]]
    .map(([key, record]) => ({ key, record })), TODAY), []);
  const listed = records.listOrder(TODAY, "");
  const views = records.listViews(listed.order.map((item) => item.key));
  assert.deepEqual(views.map((view) => [view.key, view.group, view.state]), [
    ["a", "late", "孵化予定日を1日過ぎています。"],
    ["c", "incomplete", "産卵日「2026-02-30」が読めないため、孵化予定日を出せません。「記録を直す」で産卵日を入れてください。"],
    ["b", "damaged", "表示できない記録です（記録の形が正しくありません）。"],
  ]);
  assert.equal(listed.backup, "まだバックアップしていません。");
  // A day later, worked out again for the new day; a removed one is gone.
  records.listRemove(["c"]);
  const later = records.listOrder([2026, 6, 11], "2026-06-09");
  assert.deepEqual(later.order.map((item) => item.key), ["a", "b"]);
  assert.equal(records.listViews(["a"])[0].state, "孵化予定日を2日過ぎています。");
  assert.ok(later.backup.startsWith("最後のバックアップ："));
  records.listRemove(["a", "b"]);
});

test("two copies of a clutch merge into one that loses nothing of either", () => {
  const day = (date, lowest) => entry(date, lowest);
  const kept = clutch({ updated: 5, name: "kept", log: [day("2026-06-02", "18"), day("2026-06-03", "19")],
    cup: 1 });
  const cases = [
    // what, the backup's copy, the merged record
    ["a newer copy: its fields and its entry where both have one",
      clutch({ updated: 7, name: "newer", log: [day("2026-06-03", "25"), day("2026-06-04", "21")],
        lid: true }),
      clutch({ updated: 7, name: "newer", cup: 1, lid: true,
        log: [day("2026-06-02", "18"), day("2026-06-03", "25"), day("2026-06-04", "21")] })],
    ["an older copy: the kept fields and entries where both have one",
      clutch({ updated: 3, name: "older", hatched: "2026-06-09", log: [day("2026-06-03", "25")] }),
      clutch({ updated: 5, name: "kept", cup: 1, hatched: "2026-06-09",
        log: [day("2026-06-02", "18"), day("2026-06-03", "19")] })],
    ["a tie: the kept one wins",
      clutch({ updated: 5, name: "other", log: [day("2026-06-03", "25")] }),
      clutch({ updated: 5, name: "kept", cup: 1,
        log: [day("2026-06-02", "18"), day("2026-06-03", "19")] })],
  ];
  for (const [what, incoming, expected] of cases) {
    const merged = records.check([records.merged(kept, incoming)], "stored", TODAY)[0].record;
    assert.deepEqual(merged, expected, what);
    // Merged again with the same copy, nothing changes.
    assert.deepEqual(records.check([records.merged(merged, incoming)], "stored", TODAY)[0].record,
      merged, `${what}, again`);
  }
  const hatched = clutch({ updated: 9, hatched: "2026-06-09" });
  assert.equal(records.merged(hatched, clutch({ updated: 10, hatched: "" })).hatched, "2026-06-09");
  assert.equal(records.merged(hatched, clutch({ updated: 10, hatched: "2026-06-08" })).hatched,
    "2026-06-08");
});

test("the files: the spreadsheet keeps its byte-order mark, a calendar any name", () => {
  assert.ok(records.spreadsheet([clutch()], TODAY).startsWith("\uFEFF名前,"));
  const event = records.calendar(clutch({ name: "名".repeat(10000), log: [] }), TODAY, 0);
  const lines = event.split("\r\n");
  assert.ok(lines.every((line) => Buffer.byteLength(line) <= 75));
  assert.ok(lines.includes("DTSTAMP:19700101T000000Z"));
  assert.equal(lines.filter((line) => line.startsWith("SUMMARY:")).length, 1);
});

// Every message the page's script names, with the placeholders it fills,
// is one of the core's, with exactly those placeholders.
test("each message the script uses is the core's, its placeholders filled exactly", () => {
  const web = new URL("../../web/", import.meta.url);
  const modules = ["notebook.js", "notebook_list.js", "notebook_records.js", "notebook_changes.js",
    "clutch_card.js"];
  const called = /\bmessage\(\s*"([a-z_]+)"\s*(?:,\s*\{([^{}]*)\})?\s*\)/g;
  const used = [];
  for (const name of modules) {
    const source = readFileSync(fileURLToPath(new URL(name, web)), "utf8");
    const calls = [...source.matchAll(called)];
    assert.equal((source.match(/\bmessage\(/g) || []).length, calls.length,
      `${name}: every message() names its message and fills it in place`);
    for (const [, messageName, values] of calls) {
      const keys = (values || "").split(",").map((value) => value.split(":")[0].trim())
        .filter(Boolean).sort();
      used.push({ where: `${name}: ${messageName}`, messageName, keys });
    }
  }
  assert.ok(used.length > 40);
  for (const { where, messageName, keys } of used) {
    assert.ok(messageName in messages, `${where} is no message of the core's`);
    const wanted = [...new Set([...messages[messageName].matchAll(/\{(\w+)\}/g)]
      .map((match) => match[1]))].sort();
    assert.deepEqual(keys, wanted, `${where} fills {${wanted}}`);
  }
});
