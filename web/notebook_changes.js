// Every change of the notebook, each read, changed and written in one
// transaction of the database, through the core's door. Each settles with an
// honest result: { outcome: "done", changed, ... } with the records it wrote
// (changed: [{ id, record }], record undefined once deleted), { outcome:
// "refused", problem } with the door's reason, or { outcome: "failed", error }
// when the database could not write it; a failure never settles as done. An
// undo is the inverse of its change, made only where the change still
// stands: it takes back only itself. Runs in the page and under Node.
import { same } from "./notebook_records.js";

// A result of a change that was written.
function done(changed, details = {}) {
  return { outcome: "done", changed, ...details };
}

function refused(problem) {
  return { outcome: "refused", problem };
}

// The change's promise, with a failure of the database as its result.
function honest(writing) {
  return writing.then((result) => result, (error) => ({ outcome: "failed", error }));
}

// A day entry's texts, as a round wrote one and its undo compares it.
function sameEntry(a, b) {
  return Boolean(a && b) && ["date", "lowest", "highest", "aside"].every((name) =>
    (a[name] ?? "") === (b[name] ?? ""));
}

function entryOn(record, date) {
  return record.log.find((entry) => entry !== null && typeof entry === "object" &&
    entry.date === date);
}

// `database` as notebook_database.js opens it; `records` the records'
// module; today() the date as [year, month, day]; now() the time in
// milliseconds.
export function createNotebookChanges(database, records, today, now) {
  const message = records.message;

  // `candidate` through the door, typed over what `current` held: what it
  // changed (its fields, and the day entries it added) judged as typed, the
  // rest as stored.
  function typed(candidate, current) {
    if (!current) {
      return records.check([candidate], "typed", today())[0];
    }
    const before = new Set(current.log);
    const added = candidate.log.filter((entry) => !before.has(entry));
    const [read] = records.check([{ ...candidate, log: added }], "typed", today(),
      [{ ...current, log: [] }]);
    return read.passage === "kept" ? { ...stored(candidate), mends: read.mends } : read;
  }

  function stored(candidate) {
    return records.check([candidate], "stored", today())[0];
  }

  // A new clutch, typed: written unless the door refuses it.
  function save(record) {
    const read = typed({ ...record, updated: now(), created: now() });
    if (read.passage !== "kept") {
      return Promise.resolve(refused(read.problem));
    }
    return honest(database.write((store, settle, when) => {
      when(store.add(read.record), () => {
        settle(done([{ id: read.record.id, record: read.record }], { mends: read.mends }));
      });
    }));
  }

  // One write over the clutch `id`: refused when it is gone, otherwise
  // work(current, store, settle).
  function onClutch(id, work) {
    return honest(database.write((store, settle, when) => {
      when(store.get(id), (current) => {
        if (!current) {
          settle(refused(message("clutch_gone")));
          return;
        }
        work(current, store, settle);
      });
    }));
  }

  // One write over several clutches: each of `items` is handed with the
  // clutch of its id (idOf), as stored now, to work(item, current, result,
  // store, when); settles with `result`, done, holding `fields`, to which
  // the work adds.
  function overClutches(items, idOf, fields, work) {
    return honest(database.write((store, settle, when) => {
      const result = done([], fields);
      settle(result);
      for (const item of items) {
        when(store.get(idOf(item)), (current) => work(item, current, result, store, when));
      }
    }));
  }

  // The clutch `id` as change(current) makes it, judged as typed in what it
  // changed; settles with the record before (`before`) and after.
  function change(id, makeChange) {
    return onClutch(id, (current, store, settle) => {
      const read = typed({ ...makeChange(current), updated: now() }, current);
      if (read.passage !== "kept") {
        settle(refused(read.problem));
        return;
      }
      store.put(read.record);
      settle(done([{ id, record: read.record }], { before: current, mends: read.mends }));
    });
  }

  function addDay(id, entry) {
    return change(id, (current) => ({ ...current, log: [...current.log, entry] }));
  }

  function correct(id, fields) {
    return change(id, (current) => ({ ...current, ...fields }));
  }

  // Hatched on `date`; its undo clears that mark only if it still stands.
  function markHatched(id, date) {
    return change(id, (current) => ({ ...current, hatched: date }));
  }

  function unmarkHatched(id, date) {
    return change(id, (current) => {
      if (date !== undefined && current.hatched !== date) {
        throw new ChangedSince(message("undo_changed_since", { names: current.name }));
      }
      return { ...current, hatched: "" };
    }).then(changedSince);
  }

  // The day entry at `source` in the clutch's log, if it is still the one on
  // `date`; settles with it as `removed`.
  function removeDay(id, source, date) {
    let removed = null;
    return change(id, (current) => {
      removed = current.log[source];
      if (!removed || removed.date !== date) {
        throw new ChangedSince(message("entry_changed_since"));
      }
      return { ...current, log: current.log.filter((entry, at) => at !== source) };
    }).then((result) => result.outcome === "done" ? { ...result, removed } : result)
      .then(changedSince);
  }

  // The entry put back, only if no entry stands on its date.
  function putDayBack(id, entry) {
    return onClutch(id, (current, store, settle) => {
      if (entryOn(current, entry.date)) {
        settle(refused(message("undo_changed_since", { names: current.name })));
        return;
      }
      const read = stored({ ...current, log: [...current.log, entry], updated: now() });
      store.put(read.record);
      settle(done([{ id, record: read.record }]));
    });
  }

  // A deleted clutch; settles with it as `removed`.
  function remove(id) {
    return onClutch(id, (current, store, settle) => {
      store.delete(id);
      settle(done([{ id, record: undefined }], { removed: current }));
    });
  }

  // A deleted clutch put back, only if no record has its id.
  function restore(record) {
    return honest(database.write((store, settle, when) => {
      when(store.get(record.id), (current) => {
        if (current !== undefined) {
          settle(refused(message("undo_exists")));
          return;
        }
        store.add(record);
        settle(done([{ id: record.id, record }]));
      });
    }));
  }

  // One day's reading for every clutch of `ids`: each judged as typed, a
  // clutch the door refuses (laid after that day) skipped and named with
  // why. Settles with what each clutch's log held on that day before
  // (`replaced`, or null) and after (`wrote`).
  function round(ids, entry) {
    return overClutches(ids, (id) => id, { written: [], skipped: [] },
      (id, current, result, store) => {
        if (!current) {
          return;
        }
        const read = typed({ ...current, log: [...current.log, entry], updated: now() }, current);
        if (read.passage !== "kept") {
          result.skipped.push({ name: current.name, problem: read.problem });
          return;
        }
        store.put(read.record);
        result.changed.push({ id, record: read.record });
        result.written.push({ id, name: read.record.name, wrote: entryOn(read.record, entry.date),
          replaced: entryOn(current, entry.date) || null });
      });
  }

  // A round taken back: each clutch's day put back as it was only if that
  // day's entry is still what the round wrote; the others are named.
  function undoRound(written) {
    return overClutches(written, ({ id }) => id, { changedSince: [] },
      ({ id, wrote, replaced }, current, result, store) => {
        if (!current) {
          return;
        }
        if (!sameEntry(entryOn(current, wrote.date), wrote)) {
          result.changedSince.push(current.name);
          return;
        }
        const log = current.log.filter((entry) => entry !== entryOn(current, wrote.date));
        const read = stored({ ...current, log: replaced ? [...log, replaced] : log,
          updated: now() });
        store.put(read.record);
        result.changed.push({ id, record: read.record });
      });
  }

  // A backup's records, each merged with the clutch of its id (see
  // records.merged) or added; a clutch the merge leaves as it was is not
  // written. Settles with how many were added and updated, and each
  // change's record before (undefined when added) and after, for its undo.
  function importRecords(incoming) {
    return overClutches(incoming, (record) => record.id, { added: 0, updated: 0, changes: [] },
      (record, kept, result, store) => {
        const after = kept === undefined ? record : stored(records.merged(kept, record)).record;
        if (kept !== undefined && same(kept, after)) {
          return;
        }
        store.put(after);
        result[kept === undefined ? "added" : "updated"] += 1;
        result.changed.push({ id: record.id, record: after });
        result.changes.push({ id: record.id, before: kept, after });
      });
  }

  // An import taken back as one: each record put back as it was (an added
  // one deleted) only where it is still what the import wrote.
  function undoImport(changes) {
    return overClutches(changes, ({ id }) => id, { changedSince: [] },
      ({ id, before, after }, current, result, store) => {
        if (!same(current, after)) {
          if (current) {
            result.changedSince.push(current.name);
          }
          return;
        }
        if (before === undefined) {
          store.delete(id);
        } else {
          store.put(before);
        }
        result.changed.push({ id, record: before });
      });
  }

  // The records the door mended when the notebook opened, written back:
  // each only if it is still as it was read (`read`), under its id (a new id
  // replaces the old, merged with a clutch already there).
  function writeMends(mended) {
    return overClutches(mended, ({ key }) => key, {},
      ({ key, read, record }, current, result, store, when) => {
        if (!same(current, read)) {
          return;
        }
        if (record.id === key) {
          store.put(record);
          result.changed.push({ id: key, record });
          return;
        }
        store.delete(key);
        result.changed.push({ id: key, record: undefined });
        when(store.get(record.id), (there) => {
          const kept = there === undefined ? record
            : stored(records.merged(there, record)).record;
          store.put(kept);
          result.changed.push({ id: record.id, record: kept });
        });
      });
  }

  return {
    save, addDay, correct, markHatched, unmarkHatched, removeDay, putDayBack, remove, restore,
    round, undoRound, importRecords, undoImport, writeMends,
  };
}

// A change whose record no longer holds what the change was made from: its
// message says so.
class ChangedSince extends Error {}

// A change aborted because the record changed since, as a refusal.
function changedSince(result) {
  return result.outcome === "failed" && result.error instanceof ChangedSince
    ? refused(result.error.message) : result;
}
