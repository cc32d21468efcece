// Every change of the notebook under Node, on an in-memory IndexedDB with the
// real WebAssembly core: each gives done, refused (with the door's reason)
// or failed; and each undo, with a second tab (another connection to the
// same database) changing the clutches in between, takes back only its own
// change.
//
//   node notebook_changes_test.mjs CORE_WASM TEXTS_WASM
import assert from "node:assert/strict";
import test from "node:test";
import { IDBFactory, IDBKeyRange, IDBObjectStore } from "fake-indexeddb";
import { createNotebookChanges } from "../../web/notebook_changes.js";
import { openNotebookDatabase } from "../../web/notebook_database.js";
import { createNotebookRecords } from "../../web/notebook_records.js";
import { loadCore } from "./load_core.mjs";

const { core } = await loadCore(...process.argv.slice(2));
const records = createNotebookRecords(core);
const TODAY = [2026, 6, 10];
const NOW = 1000;
const quiet = { blocked() {}, replaced() {}, closed() {} };

const clutch = (id, changes = {}) => ({
  id, name: id.toUpperCase(), laid: "2026-06-01", temperature: "20", hatched: "", log: [],
  created: 1, updated: 1, ...changes,
});
const day = (date, temperature) => ({ date, lowest: temperature, highest: temperature });

// Two tabs of one browser, each with its own connection to the notebook,
// which holds `kept` to begin with.
async function twoTabs(kept = []) {
  const storage = { indexedDB: new IDBFactory(), IDBKeyRange };
  const tabs = [];
  for (let tab = 0; tab < 2; ++tab) {
    const database = await openNotebookDatabase(quiet, storage);
    tabs.push({ database, changes: createNotebookChanges(database, records, () => TODAY,
      () => NOW + tab) });
  }
  await tabs[0].database.write((store, settle) => {
    kept.forEach((record) => store.put(record));
    settle();
  });
  return tabs;
}

async function stored(tab, id) {
  return tab.database.read((store, settle, when) => when(store.get(id), settle));
}

async function logOf(tab, id) {
  return (await stored(tab, id)).log.map((entry) => `${entry.date} ${entry.lowest}`);
}

test("each change is done, refused with the door's reason, or failed", async () => {
  const [tab] = await twoTabs([clutch("a")]);
  const { changes } = tab;
  const cases = [
    // what, the change, its outcome, and its problem when refused
    ["a day entry", () => changes.addDay("a", day("2026-06-03", "18")), "done"],
    ["a day entry after today", () => changes.addDay("a", day("2026-06-11", "18")), "refused",
      "日付は産卵日から今日までの日にしてください。"],
    ["a day entry before laying", () => changes.addDay("a", day("2026-05-31", "18")), "refused",
      "日付は産卵日から今日までの日にしてください。"],
    ["a hatched date after today", () => changes.markHatched("a", "2026-06-11"), "refused",
      "孵化した日は産卵日から今日までの日にしてください。"],
    ["a hatched date before laying", () => changes.markHatched("a", "2026-05-20"), "refused",
      "孵化した日は産卵日から今日までの日にしてください。"],
    ["a laying date in 1899", () => changes.correct("a", { laid: "1899-06-01" }), "refused",
      "産卵日は1900年から2200年までの日にしてください。"],
    ["a clutch deleted in another tab", () => changes.addDay("x", day("2026-06-03", "18")),
      "refused", "この卵の記録は、ほかのタブで削除されています。"],
    ["a new clutch with a name of 41 characters", () => changes.save(clutch("n",
      { name: "名".repeat(41) })), "done"],
  ];
  for (const [what, change, outcome, problem] of cases) {
    const result = await change();
    assert.equal(result.outcome, outcome, what);
    assert.equal(result.problem, problem, what);
  }
  assert.deepEqual(await logOf(tab, "a"), ["2026-06-03 18"]);
  assert.equal((await stored(tab, "n")).name, "名".repeat(40));
  // A write the browser refuses: failed, and nothing written.
  const put = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = () => {
    throw new DOMException("The disk is full.", "QuotaExceededError");
  };
  try {
    for (const change of [() => changes.addDay("a", day("2026-06-04", "18")),
      () => changes.removeDay("a", 0, "2026-06-03"), () => changes.round(["a"], day("2026-06-05", "18")),
      () => changes.importRecords([clutch("a", { updated: 5000, name: "B" })])]) {
      const result = await change();
      assert.equal(result.outcome, "failed", String(change));
      assert.equal(result.error.name, "QuotaExceededError");
    }
  } finally {
    IDBObjectStore.prototype.put = put;
  }
  assert.deepEqual(await stored(tab, "a"), { ...clutch("a", { updated: NOW }),
    log: [day("2026-06-03", "18")] });
});

test("two tabs adding day entries to one clutch at once keep both", async () => {
  const [first, second] = await twoTabs([clutch("a")]);
  const results = await Promise.all([first.changes.addDay("a", day("2026-06-03", "18")),
    second.changes.addDay("a", day("2026-06-04", "22"))]);
  assert.deepEqual(results.map((result) => result.outcome), ["done", "done"]);
  assert.deepEqual(await logOf(first, "a"), ["2026-06-03 18", "2026-06-04 22"]);
});

test("a round's undo puts back only what the round wrote and still stands", async () => {
  // Each row: what the other tab does after the round, then each clutch's day
  // entries after the undo, and the clutches the undo names.
  const cases = [
    ["nothing", async () => {}, { a: ["2026-06-05 15"], b: [], c: [] }, []],
    ["an entry for another day on b", (other) => other.changes.addDay("b", day("2026-06-07", "21")),
      { a: ["2026-06-05 15"], b: ["2026-06-07 21"], c: [] }, []],
    ["that day's entry on b written again", (other) => other.changes.addDay("b",
      day("2026-06-06", "23")), { a: ["2026-06-05 15"], b: ["2026-06-06 23"], c: [] }, ["B"]],
    ["c deleted", (other) => other.changes.remove("c"),
      { a: ["2026-06-05 15"], b: [], c: null }, []],
    ["c hatched", (other) => other.changes.markHatched("c", "2026-06-09"),
      { a: ["2026-06-05 15"], b: [], c: [] }, []],
  ];
  for (const [what, meanwhile, logs, named] of cases) {
    const [tab, other] = await twoTabs([clutch("a", { log: [day("2026-06-05", "15")] }),
      clutch("b"), clutch("c")]);
    const round = await tab.changes.round(["a", "b", "c"], day("2026-06-06", "30"));
    assert.equal(round.outcome, "done", what);
    assert.deepEqual(round.written.map((written) => [written.name, written.replaced]),
      [["A", null], ["B", null], ["C", null]], what);
    await meanwhile(other);
    const undone = await tab.changes.undoRound(round.written);
    assert.equal(undone.outcome, "done", what);
    assert.deepEqual(undone.changedSince, named, what);
    for (const [id, log] of Object.entries(logs)) {
      assert.deepEqual(log && await logOf(tab, id), log && log.filter((entry) =>
        !entry.startsWith("2026-06-06 30")), `${what}: ${id}`);
      if (!log) {
        assert.equal(await stored(tab, id), undefined, `${what}: ${id} stays deleted`);
      }
    }
    if (what === "c hatched") {
      assert.equal((await stored(tab, "c")).hatched, "2026-06-09", what);
    }
    // Pressed again, it changes nothing more.
    const again = await tab.changes.undoRound(round.written);
    assert.deepEqual(again.changed, [], `${what}, again`);
  }
  // A round over a day already entered: its undo puts that entry back.
  const [tab] = await twoTabs([clutch("a", { log: [day("2026-06-06", "15")] }),
    clutch("b", { laid: "2026-06-07" })]);
  const round = await tab.changes.round(["a", "b"], day("2026-06-06", "30"));
  assert.deepEqual(round.skipped, [{ name: "B", problem: "日付は産卵日から今日までの日にしてください。" }]);
  await tab.changes.undoRound(round.written);
  assert.deepEqual(await logOf(tab, "a"), ["2026-06-06 15"]);
});

test("a delete's, a day entry's and a hatched mark's undo take back only their own change", async () => {
  // what, the change, the other tab's change since, the undo, its outcome,
  // and the clutch's name, hatched date and day entries after it
  const cases = [
    ["a delete, undone", (tab) => tab.changes.remove("a"), async () => {},
      (tab, result) => tab.changes.restore(result.removed), "done", ["A", "", ["2026-06-03 18"]]],
    ["a delete, the clutch back from a backup since", (tab) => tab.changes.remove("a"),
      (other) => other.changes.importRecords([clutch("a", { name: "from the backup" })]),
      (tab, result) => tab.changes.restore(result.removed), "refused", ["from the backup", "", []]],
    ["a day entry deleted, undone", (tab) => tab.changes.removeDay("a", 0, "2026-06-03"),
      async () => {}, (tab, result) => tab.changes.putDayBack("a", result.removed), "done",
      ["A", "", ["2026-06-03 18"]]],
    ["a day entry deleted, that day entered again since",
      (tab) => tab.changes.removeDay("a", 0, "2026-06-03"),
      (other) => other.changes.addDay("a", day("2026-06-03", "25")),
      (tab, result) => tab.changes.putDayBack("a", result.removed), "refused",
      ["A", "", ["2026-06-03 25"]]],
    ["hatched, undone", (tab) => tab.changes.markHatched("a", "2026-06-09"), async () => {},
      (tab) => tab.changes.unmarkHatched("a", "2026-06-09"), "done", ["A", "", ["2026-06-03 18"]]],
    ["hatched, its date changed since", (tab) => tab.changes.markHatched("a", "2026-06-09"),
      (other) => other.changes.markHatched("a", "2026-06-10"),
      (tab) => tab.changes.unmarkHatched("a", "2026-06-09"), "refused",
      ["A", "2026-06-10", ["2026-06-03 18"]]],
    ["hatched, a day entered since", (tab) => tab.changes.markHatched("a", "2026-06-09"),
      (other) => other.changes.addDay("a", day("2026-06-04", "20")),
      (tab) => tab.changes.unmarkHatched("a", "2026-06-09"), "done",
      ["A", "", ["2026-06-03 18", "2026-06-04 20"]]],
  ];
  for (const [what, change, meanwhile, undo, outcome, state] of cases) {
    const [tab, other] = await twoTabs([clutch("a", { log: [day("2026-06-03", "18")] })]);
    const result = await change(tab);
    assert.equal(result.outcome, "done", what);
    await meanwhile(other);
    assert.equal((await undo(tab, result)).outcome, outcome, what);
    const now = await stored(tab, "a");
    assert.deepEqual([now.name, now.hatched, await logOf(tab, "a")], state, what);
  }
});

test("an import merges, can be repeated without change, and is undone where it still stands", async () => {
  const [tab, other] = await twoTabs([
    clutch("a", { updated: 5, log: [day("2026-06-02", "18")] }),
    clutch("b", { updated: 5 }),
  ]);
  const backup = [
    clutch("a", { updated: 7, name: "A2", log: [day("2026-06-03", "19")] }),
    clutch("b", { updated: 3, hatched: "2026-06-09" }),
    clutch("c"),
  ];
  const first = await tab.changes.importRecords(backup);
  assert.deepEqual([first.added, first.updated], [1, 2]);
  assert.deepEqual(await logOf(tab, "a"), ["2026-06-02 18", "2026-06-03 19"]);
  assert.deepEqual([(await stored(tab, "a")).name, (await stored(tab, "b")).hatched],
    ["A2", "2026-06-09"]);
  const again = await tab.changes.importRecords(backup);
  assert.deepEqual([again.added, again.updated, again.changes], [0, 0, []]);
  // b changed in the other tab since: its undo leaves it, and names it.
  await other.changes.addDay("b", day("2026-06-04", "20"));
  const undone = await tab.changes.undoImport(first.changes);
  assert.deepEqual(undone.changedSince, ["B"]);
  assert.deepEqual(await logOf(tab, "a"), ["2026-06-02 18"]);
  assert.equal(await stored(tab, "c"), undefined);
  assert.deepEqual(await logOf(tab, "b"), ["2026-06-04 20"]);
});

test("records mended on opening are written back only if nothing changed them, under their new ids", async () => {
  const odd = clutch("a b", { name: "A\u2028B" });
  const [tab] = await twoTabs([odd, clutch("m-e63f991904833892",
    { updated: 0, log: [day("2026-06-02", "18")] }), clutch("c\nd")]);
  const [read, changed] = records.check([odd, clutch("c\nd")], "stored", TODAY);
  const result = await tab.changes.writeMends([
    { key: "a b", read: odd, record: read.record },
    // Changed by another tab since it was read: left for the next opening.
    { key: "c\nd", read: clutch("c\nd", { updated: 0 }), record: changed.record },
  ]);
  assert.equal(result.outcome, "done");
  assert.equal(await stored(tab, "a b"), undefined);
  const merged = await stored(tab, "m-e63f991904833892");
  assert.equal(merged.name, "A B");
  assert.deepEqual(merged.mended, { id: "a b", name: "A\u2028B" });
  assert.deepEqual(await logOf(tab, "m-e63f991904833892"), ["2026-06-02 18"]);
  assert.equal((await stored(tab, "c\nd")).id, "c\nd");
});
