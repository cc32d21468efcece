// The notebook's database under Node, on an in-memory IndexedDB: the
// upgrades from the versions 1.3.0 and 1.4.0 kept, a tab holding an older
// version, a newer page in another tab, a connection the browser closes, a
// database of a newer version, and transactions that abort, throw or fail to
// write.
//
//   node notebook_database_test.mjs
import assert from "node:assert/strict";
import test from "node:test";
import { forceCloseDatabase, IDBFactory, IDBKeyRange, IDBObjectStore } from "fake-indexeddb";
import { DATABASE_NAME, DATABASE_VERSION, openNotebookDatabase, STORE }
  from "../../web/notebook_database.js";

// A fresh browser's storage, which remembers the connections it opened.
function browserStorage() {
  const indexedDB = new IDBFactory();
  const connections = [];
  return {
    IDBKeyRange, connections,
    indexedDB: {
      open(...values) {
        const request = indexedDB.open(...values);
        request.addEventListener("success", () => connections.push(request.result));
        return request;
      },
      deleteDatabase: (name) => indexedDB.deleteDatabase(name),
    },
  };
}

// What the page hears from its database.
function listening() {
  const heard = [];
  return { heard, listeners: {
    blocked: () => heard.push("blocked"), replaced: () => heard.push("replaced"),
    closed: () => heard.push("closed"),
  } };
}

// Opens the database at `version` as an older or newer page would, with
// `records` put in when it is made.
function openAt(storage, version, records = [], { letGo = true } = {}) {
  return new Promise((resolve, reject) => {
    const request = storage.indexedDB.open(DATABASE_NAME, version);
    request.onupgradeneeded = () => {
      if (request.result.objectStoreNames.contains(STORE)) {
        return;
      }
      const store = request.result.createObjectStore(STORE, { keyPath: "id" });
      for (const record of records) {
        store.put(record);
      }
    };
    request.onsuccess = () => {
      if (letGo) {
        request.result.onversionchange = () => request.result.close();
      }
      resolve(request.result);
    };
    request.onerror = () => reject(request.error);
  });
}

function readAll(database) {
  const batches = [];
  return database.readAll((batch) => batches.push(batch)).then(() => batches);
}

function put(database, records) {
  return database.write((store, settle) => {
    for (const record of records) {
      store.put(record);
    }
    settle(records.length);
  });
}

const clutch = (id, changes = {}) => ({
  id, name: "A", laid: "2026-06-01", temperature: "20", hatched: "", log: [], created: 1,
  updated: 1, ...changes,
});

// Every record as the database holds it.
function heldRecords(storage) {
  return openAt(storage, DATABASE_VERSION).then((database) => new Promise((resolve) => {
    const request = database.transaction(STORE).objectStore(STORE).getAll();
    request.onsuccess = () => {
      database.close();
      resolve(request.result);
    };
  }));
}

test("each upgrade keeps every record as it was, a plain day log held as one text", async () => {
  const entry = (date, lowest, highest = lowest) => ({ date, lowest, highest });
  const asText = (record, logText) => {
    const { log, ...rest } = record;
    return { ...rest, logText };
  };
  const twoDays = [entry("2026-06-02", "18"), entry("2026-11-31", "15", "22")];
  const setAside = [entry("2026-06-02", "18", "22"),
    { ...entry("2026-06-03", "19"), aside: "after-import" }];
  const rows = [
    // the version that kept it, the record kept, the record read, the record held after
    [1, clutch("a b", { name: "A\u2028B", log: "2026-06-02,18,18;2026-11-31,15,22" }),
      clutch("a b", { name: "A\u2028B", log: twoDays }),
      asText(clutch("a b", { name: "A\u2028B" }), "2026-06-02\t18\t18\t\t2026-11-31\t15\t22\t")],
    [1, clutch("m1", { log: "" }), clutch("m1"), asText(clutch("m1"), "")],
    [1, clutch("m2", { log: ["already", "a list"], extra: { cup: 3 } })],
    [1, { id: "m3", note: "no clutch's shape" }],
    [2, clutch("a", { log: setAside }), clutch("a", { log: setAside }),
      asText(clutch("a"), "2026-06-02\t18\t22\t\t2026-06-03\t19\t19\tafter-import")],
    [2, clutch("b", { log: [{ ...entry("2026-06-02", "18"), cup: "A" }] })],
    [2, clutch("c", { log: [{ ...entry("2026-11-31", "15"), lowest: 15 }] })],
    [2, clutch("d", { log: "2026-06-02,18,18" })],
  ];
  for (const version of [1, 2]) {
    const upgraded = rows.filter((row) => row[0] === version)
      .map(([, kept, read = kept, held = kept]) => ({ kept, read, held }));
    const storage = browserStorage();
    (await openAt(storage, version, upgraded.map((row) => row.kept))).close();
    const database = await openNotebookDatabase(listening().listeners, storage);
    assert.deepEqual((await readAll(database)).flat(), upgraded.map((row) => row.read), version);
    assert.equal(storage.connections.at(-1).version, DATABASE_VERSION);
    database.close();
    // Each version's step takes the records as the step before it left them.
    assert.deepEqual(await heldRecords(storage), upgraded.map((row) => row.held), version);
  }
});

test("every record is read, a batch of 100 at a time", async () => {
  const storage = browserStorage();
  const database = await openNotebookDatabase(listening().listeners, storage);
  await put(database, Array.from({ length: 250 }, (_, index) =>
    clutch(`c${String(index).padStart(3, "0")}`)));
  const batches = await readAll(database);
  assert.deepEqual(batches.map((batch) => batch.length), [100, 100, 50]);
  assert.deepEqual(batches.flat().map((record) => record.id).slice(98, 102),
    ["c098", "c099", "c100", "c101"]);
});

test("an older tab holding the database, a newer page and a closed connection are each told", async () => {
  const storage = browserStorage();
  // An older page that never lets go until it is closed: the new page waits.
  const older = await openAt(storage, 1, [], { letGo: false });
  const page = listening();
  const opening = openNotebookDatabase(page.listeners, storage);
  await new Promise((resolve) => setTimeout(resolve, 20));
  assert.deepEqual(page.heard, ["blocked"]);
  older.close();
  const database = await opening;
  // A newer page in another tab: this one lets go and says so.
  const newer = await openAt(storage, DATABASE_VERSION + 1);
  assert.deepEqual(page.heard, ["blocked", "replaced"]);
  newer.close();
  await assert.rejects(put(database, [clutch("x")]), { name: "InvalidStateError" });
  // The browser closes the connection.
  const other = browserStorage();
  const again = listening();
  await openNotebookDatabase(again.listeners, other);
  forceCloseDatabase(other.connections.at(-1));
  assert.deepEqual(again.heard, ["closed"]);
});

test("a database of a newer version fails to open with its error", async () => {
  const storage = browserStorage();
  (await openAt(storage, DATABASE_VERSION + 1)).close();
  await assert.rejects(openNotebookDatabase(listening().listeners, storage),
    { name: "VersionError" });
});

test("a transaction settles once written, or rejects with the real error and writes nothing", async () => {
  const storage = browserStorage();
  const database = await openNotebookDatabase(listening().listeners, storage);
  assert.equal(await put(database, [clutch("a")]), 1);
  const thrown = new Error("the change's own mistake");
  const failing = [
    // what, the work, the error it rejects with
    ["work that throws", (store) => {
      store.put(clutch("b"));
      throw thrown;
    }, thrown],
    ["a handler that throws", (store, settle, when) => {
      when(store.get("a"), () => {
        store.put(clutch("b"));
        throw thrown;
      });
    }, thrown],
    ["a record without its key", (store) => {
      store.put(clutch("b"));
      store.put({ name: "no id" });
    }, { name: "DataError" }],
    ["a record added twice", (store) => {
      store.put(clutch("b"));
      store.add(clutch("a"));
    }, { name: "ConstraintError" }],
  ];
  for (const [what, work, error] of failing) {
    await assert.rejects(database.write(work), error, what);
  }
  // A write the browser refuses, as when the disk is full.
  const put_ = IDBObjectStore.prototype.put;
  IDBObjectStore.prototype.put = () => {
    throw new DOMException("The disk is full.", "QuotaExceededError");
  };
  try {
    await assert.rejects(put(database, [clutch("b")]), { name: "QuotaExceededError" });
  } finally {
    IDBObjectStore.prototype.put = put_;
  }
  assert.deepEqual((await readAll(database)).flat().map((record) => record.id), ["a"]);
});
