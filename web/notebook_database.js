// The notebook's database in the browser (IndexedDB): each clutch one record
// under its id, kept as the records' module keeps it. A small promise
// wrapper: each upgrade step gets the database and the upgrade's
// transaction; a tab that holds an older version (blocked), a newer page in
// another tab (versionchange) and a connection the browser closed are each
// told to the page; every read or change is one transaction and one promise,
// which settles with what the work gave once everything is written, or
// rejects with the real error when any of it failed, threw or was aborted.
// Runs in the page and, with an in-memory IndexedDB, under Node.
import { fromStore, toStore } from "./notebook_records.js";

export const DATABASE_NAME = "eggperiod";
export const STORE = "clutches";
// 1.3.0 kept a clutch's day entries as one text: "date,lowest,highest;...".
const VERSION_1_ENTRY_SEPARATOR = ";";
const VERSION_1_PART_SEPARATOR = ",";
// Records read in batches of this many, each batch a task of its own, so that
// a notebook of thousands never holds the page for long.
const BATCH = 100;

// Each record kept as remake(record) gives it, written again only if that is
// another value; then next().
function remakeEach(transaction, remake, next) {
  const request = transaction.objectStore(STORE).openCursor();
  request.onsuccess = () => {
    const cursor = request.result;
    if (!cursor) {
      next();
      return;
    }
    const remade = remake(cursor.value);
    if (remade !== cursor.value) {
      cursor.update(remade);
    }
    cursor.continue();
  };
}

// Each version of the database made from the one before it, inside the
// upgrade's transaction, each step calling next() once it is done so that
// the next step finds the records as it left them: the database's version
// is how many there are.
const UPGRADES = [
  function createStore(database, transaction, next) {
    database.createObjectStore(STORE, { keyPath: "id" });
    next();
  },
  // Every record 1.3.0 kept, whatever else it holds, keeps all of it; only
  // a log kept as one text becomes a list of entries.
  function entriesAsLists(database, transaction, next) {
    remakeEach(transaction, (record) => {
      if (record === null || typeof record !== "object" || typeof record.log !== "string") {
        return record;
      }
      const entries = record.log === "" ? [] : record.log.split(VERSION_1_ENTRY_SEPARATOR);
      return {
        ...record, log: entries.map((entry) => {
          const [date, lowest, highest] = entry.split(VERSION_1_PART_SEPARATOR);
          return { date, lowest, highest };
        }),
      };
    }, next);
  },
  // A day log of plain entries kept as one text, which reads back quicker.
  function logsAsText(database, transaction, next) {
    remakeEach(transaction, toStore, next);
  },
];
export const DATABASE_VERSION = UPGRADES.length;

// The clutches' store as a transaction's work sees it: records go in and
// come out as they are, each kept as toStore() makes it. Each request is
// handed to when() as { request, read }, read() making its result a
// record's.
function recordStore(store) {
  const asked = (request, read = (result) => result) => ({ request, read });
  return {
    get: (key) => asked(store.get(key), fromStore),
    getAll: (range, count) => asked(store.getAll(range, count), (kept) => kept.map(fromStore)),
    put: (record) => asked(store.put(toStore(record))),
    add: (record) => asked(store.add(toStore(record))),
    delete: (key) => asked(store.delete(key)),
  };
}

// One transaction over the clutches: `work(store, settle, when)` makes its
// requests, handing each to when(request, then) so that then(result) runs
// once it succeeds, and gives its result to settle(). Settles with that
// result once everything is written; rejects with the error when any of it
// failed or threw, or the transaction was aborted.
function transaction(database, mode, work) {
  return new Promise((resolve, reject) => {
    let changing;
    try {
      changing = database.transaction(STORE, mode);
    } catch (error) {
      reject(error);
      return;
    }
    let result;
    let thrown = null;
    changing.oncomplete = () => resolve(result);
    changing.onabort = () => reject(thrown || changing.error ||
      new DOMException("The change was stopped.", "AbortError"));
    // An exception in the work or in a request's handler aborts the change.
    const guarded = (step) => (...values) => {
      try {
        step(...values);
      } catch (error) {
        thrown = thrown || error;
        try {
          changing.abort();
        } catch (finished) {
          // Already committed or aborted: the promise has settled.
        }
      }
    };
    const when = (asked, then) => {
      asked.request.onsuccess = guarded(() => then(asked.read(asked.request.result)));
    };
    guarded(work)(recordStore(changing.objectStore(STORE)), (value) => {
      result = value;
    }, when);
  });
}

// Opens the notebook's database, upgrading it from an older version.
// `listeners` hear of blocked(), replaced() and closed(); `environment` gives
// indexedDB and IDBKeyRange (the browser's own unless another is given). A
// database of a newer version fails to open with its VersionError.
export function openNotebookDatabase(listeners, environment = globalThis) {
  return new Promise((resolve, reject) => {
    let request;
    try {
      request = environment.indexedDB.open(DATABASE_NAME, DATABASE_VERSION);
    } catch (error) {
      reject(error);
      return;
    }
    request.onupgradeneeded = (event) => {
      const upgrade = (version) => {
        if (version < DATABASE_VERSION) {
          UPGRADES[version](request.result, request.transaction, () => upgrade(version + 1));
        }
      };
      upgrade(event.oldVersion);
    };
    // Another tab holds the database at an older version until it lets go.
    request.onblocked = () => listeners.blocked();
    request.onerror = () => reject(request.error);
    request.onsuccess = () => resolve(connected(request.result, listeners, environment));
  });
}

function connected(database, listeners, environment) {
  // A newer version of the page in another tab needs the database: this
  // page lets go of it and says so.
  database.onversionchange = () => {
    database.close();
    listeners.replaced();
  };
  // The browser closed the connection (its storage was cleared, say).
  database.onclose = () => listeners.closed();
  return {
    read(work) {
      return transaction(database, "readonly", work);
    },
    write(work) {
      return transaction(database, "readwrite", work);
    },
    // Reads every record in batches, each handed to onBatch(records) in a
    // task of its own, in the order of their ids; settles once all are read.
    readAll(onBatch) {
      return transaction(database, "readonly", (store, settle, when) => {
        const next = (after) => {
          const range = after === undefined ? undefined
            : environment.IDBKeyRange.lowerBound(after, true);
          when(store.getAll(range, BATCH), (records) => {
            // The next batch is asked for first, so that the database reads
            // it while this one is handed over.
            if (records.length === BATCH) {
              next(records[records.length - 1].id);
            }
            onBatch(records);
          });
        };
        next();
      });
    },
    close() {
      database.close();
    },
  };
}
