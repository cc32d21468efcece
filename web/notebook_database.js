// The notebook's database in the browser (IndexedDB): each clutch one record,
// shaped as the records' module describes. Every change reads, changes and
// writes in one transaction, so two tabs changing one clutch at once keep
// both changes, and an exception inside a change aborts it.
export function openNotebookDatabase(listeners) {
  const NAME = "eggperiod";
  const STORE = "clutches";
  // 1.3.0 kept a clutch's day entries as one text: "date,lowest,highest;...".
  const VERSION_1_ENTRY_SEPARATOR = ";";
  const VERSION_1_PART_SEPARATOR = ",";
  // Each version of the database made from the one before it, inside the
  // upgrade's transaction: the database's version is how many there are.
  const UPGRADES = [
    function createStore(database) {
      database.createObjectStore(STORE, { keyPath: "id" });
    },
    function entriesAsLists(database, transaction) {
      const request = transaction.objectStore(STORE).openCursor();
      request.onsuccess = function () {
        const cursor = request.result;
        if (!cursor) {
          return;
        }
        const record = cursor.value;
        if (typeof record.log === "string") {
          const entries = record.log === "" ? [] : record.log.split(VERSION_1_ENTRY_SEPARATOR);
          cursor.update({
            ...record, log: entries.map(function (entry) {
              const [date, lowest, highest] = entry.split(VERSION_1_PART_SEPARATOR);
              return { date, lowest, highest };
            }),
          });
        }
        cursor.continue();
      };
    },
  ];

  // One transaction over the clutches: `work(store, settle)` makes its
  // requests and gives its result to settle(). Settles with that result once
  // everything is written, or fails when any of it failed or threw.
  function transaction(database, mode, work) {
    return new Promise(function (resolve, reject) {
      const changing = database.transaction(STORE, mode);
      let result;
      let thrown = null;
      changing.oncomplete = function () {
        resolve(result);
      };
      changing.onerror = changing.onabort = function () {
        reject(changing.error || thrown);
      };
      try {
        work(changing.objectStore(STORE), function (value) {
          result = value;
        });
      } catch (error) {
        thrown = error;
        changing.abort();
      }
    });
  }

  function connected(database) {
    // A newer version of the page in another tab needs the database: this
    // page lets go of it and says so.
    database.onversionchange = function () {
      database.close();
      listeners.replaced();
    };
    return {
      readAll() {
        return transaction(database, "readonly", function (store, settle) {
          const request = store.getAll();
          request.onsuccess = function () {
            settle(request.result);
          };
        });
      },
      // The changes of known clutches settle with `changed`, each
      // { id, record } as stored (record undefined once deleted).
      // update: change(record kept, or undefined) gives the record to keep,
      // or null to keep it as it is; also settles with the records `before`.
      update(ids, change) {
        return transaction(database, "readwrite", function (store, settle) {
          const result = { changed: [], before: [] };
          settle(result);
          for (const id of ids) {
            const request = store.get(id);
            request.onsuccess = function () {
              const changed = change(request.result);
              if (changed) {
                store.put(changed);
                result.changed.push({ id, record: changed });
                result.before.push(request.result);
              }
            };
          }
        });
      },
      // Puts records as they are (a deleted one back, or records as they
      // were before a change).
      put(records) {
        return transaction(database, "readwrite", function (store, settle) {
          for (const record of records) {
            store.put(record);
          }
          settle({ changed: records.map(function (record) {
            return { id: record.id, record };
          }) });
        });
      },
      add(record) {
        return transaction(database, "readwrite", function (store, settle) {
          store.add(record);
          settle({ changed: [{ id: record.id, record }] });
        });
      },
      // Also settles with the record that was deleted, as `removed`.
      remove(id) {
        return transaction(database, "readwrite", function (store, settle) {
          const request = store.get(id);
          request.onsuccess = function () {
            store.delete(id);
            settle({ changed: [{ id, record: undefined }], removed: request.result });
          };
        });
      },
      // Keeps each record that replaces(record, the one kept) says should be;
      // settles with how many were added and how many replaced.
      merge(records, replaces) {
        return transaction(database, "readwrite", function (store, settle) {
          const counts = { added: 0, updated: 0 };
          settle(counts);
          for (const record of records) {
            const request = store.get(record.id);
            request.onsuccess = function () {
              if (replaces(record, request.result)) {
                store.put(record);
                counts[request.result ? "updated" : "added"] += 1;
              }
            };
          }
        });
      },
    };
  }

  return new Promise(function (resolve, reject) {
    const request = indexedDB.open(NAME, UPGRADES.length);
    request.onupgradeneeded = function (event) {
      for (let version = event.oldVersion; version < UPGRADES.length; ++version) {
        UPGRADES[version](request.result, request.transaction);
      }
    };
    // Another tab holds the database at an older version until it lets go.
    request.onblocked = listeners.blocked;
    request.onsuccess = function () {
      resolve(connected(request.result));
    };
    request.onerror = function () {
      reject(request.error);
    };
  });
}
