// The notebook's records and the road between them and the calculation core:
// the one place that knows a clutch's fields. A record is kept as
// { id, name, laid, temperature, hatched, log: [{ date, lowest, highest }],
// created, updated } (dates YYYY-MM-DD, hatched "" until it hatched, times in
// milliseconds), with any fields of its own or of its entries that a newer
// page wrote, and under `mended` the values the door put right. The core
// reads it as a row whose fields its format names, passes it through its door
// (typed, stored or imported) and works out every date, state and text.
// Runs in the page and under Node.
const BACKUP_FORMAT = "eggperiod-notebook";
const BACKUP_VERSION = 1;
const CONTROL_CHARACTER = /[\u0000-\u001f]/g;
const CONTROL_CHARACTER_IN = /[\u0000-\u001f]/;
// A backup larger than this is refused whole.
export const LARGEST_BACKUP = 64 * 1024 * 1024;
// Records left out of a backup, or mended, named one by one up to this many.
const NAMED_AT_MOST = 20;

function hex4(code) {
  return code.toString(16).padStart(4, "0");
}

function isObject(value) {
  return value !== null && typeof value === "object" && !Array.isArray(value);
}

// Whether two records (or any values read from JSON) are the same.
export function same(a, b) {
  if (a === b) {
    return true;
  }
  if (typeof a !== "object" || typeof b !== "object" || a === null || b === null ||
      Array.isArray(a) !== Array.isArray(b)) {
    return false;
  }
  const keys = Object.keys(a);
  return keys.length === Object.keys(b).length && keys.every((key) =>
    Object.prototype.hasOwnProperty.call(b, key) && same(a[key], b[key]));
}

// How the database keeps a record: as it is, except that a day log whose
// every entry is plain (a date, the two temperatures and perhaps an aside,
// each a text without control characters, and nothing else) is kept under
// STORED_LOG as one text: each entry's fields in the order of STORED_ENTRY_FIELDS,
// every field parted by STORED_SEPARATOR. A browser reads such a text several
// times as fast as a list of entries, and it is already the tail of the row
// the core reads. A record read back gets its `log` as a list again the
// first time anything asks for it.
export const STORED_LOG = "logText";
const STORED_ENTRY_FIELDS = ["date", "lowest", "highest", "aside"];
const STORED_SEPARATOR = "\t";
const STORED_TEXT_FIELDS = new Set(STORED_ENTRY_FIELDS);

// Each record read back from the database, with the text its log was kept as.
const storedLogs = new WeakMap();

// Every control character but `separator`.
function controlOtherThan(separator) {
  const code = separator.charCodeAt(0);
  return new RegExp(`[\\u0000-\\u${hex4(code - 1)}\\u${hex4(code + 1)}-\\u001f]`);
}

// How many times `separator` stands in `text`.
function countOf(text, separator) {
  let count = 0;
  for (let at = text.indexOf(separator); at !== -1; at = text.indexOf(separator, at + 1)) {
    count += 1;
  }
  return count;
}

const STORED_OTHER_CONTROL = controlOtherThan(STORED_SEPARATOR);

// The text `log` is kept as, or undefined when an entry is not plain.
function storedText(log) {
  const values = [];
  for (const entry of log) {
    if (!isObject(entry) || entry.aside === "") {
      return undefined;
    }
    let fields = 0;
    for (const name in entry) {
      if (!STORED_TEXT_FIELDS.has(name) || typeof entry[name] !== "string") {
        return undefined;
      }
      fields += 1;
    }
    if (fields !== (entry.aside === undefined ? 3 : 4)) {
      return undefined;
    }
    values.push(entry.date, entry.lowest, entry.highest, entry.aside ?? "");
  }
  const text = values.join(STORED_SEPARATOR);
  // No value holds a control character, the separator among them.
  return STORED_OTHER_CONTROL.test(text) ||
    (values.length > 0 && countOf(text, STORED_SEPARATOR) !== values.length - 1)
    ? undefined : text;
}

function entriesOfStored(text) {
  const values = text === "" ? [] : text.split(STORED_SEPARATOR);
  const log = [];
  for (let at = 0; at < values.length; at += STORED_ENTRY_FIELDS.length) {
    const entry = { date: values[at], lowest: values[at + 1], highest: values[at + 2] };
    if (values[at + 3]) {
      entry.aside = values[at + 3];
    }
    log.push(entry);
  }
  return log;
}

// What the database keeps of `record`.
export function toStore(record) {
  if (!isObject(record)) {
    return record;
  }
  const text = storedLogs.get(record) ??
    (Array.isArray(record.log) ? storedText(record.log) : undefined);
  if (text === undefined) {
    return record;
  }
  const kept = {};
  for (const name of Object.keys(record)) {
    if (name !== "log") {
      kept[name] = record[name];
    }
  }
  kept[STORED_LOG] = text;
  return kept;
}

// The record of what the database kept.
export function fromStore(kept) {
  if (!isObject(kept) || typeof kept[STORED_LOG] !== "string") {
    return kept;
  }
  const { [STORED_LOG]: text, ...record } = kept;
  Object.defineProperty(record, "log", {
    enumerable: true, configurable: true,
    get() {
      const log = entriesOfStored(text);
      Object.defineProperty(record, "log", {
        value: log, enumerable: true, configurable: true, writable: true,
      });
      return log;
    },
  });
  storedLogs.set(record, text);
  return record;
}

export function createNotebookRecords(core) {
  const format = core.format;
  const message = core.message;

  // The part of a temperature text read as its number, or "" when none is.
  function readTemperature(text) {
    return text.slice(0, core.ccall("ReadLength", "number", ["string"], [text]));
  }

  // A temperature a person typed into the notebook: the whole text must read
  // as the number. Gives { text }, or { problem } naming the field.
  function typedTemperature(text, field) {
    return text !== "" && readTemperature(text) === text ? { text }
      : { problem: message("temperature_unread", { field, text }) };
  }

  // A value as one field of a row: a text with each control character the
  // core's substitute, so that none can split the row; anything else the
  // core's mark for a value that is no text.
  function field(value) {
    return typeof value !== "string" ? format.notText
      : CONTROL_CHARACTER_IN.test(value) ? value.replace(CONTROL_CHARACTER, format.substituteMark)
        : value;
  }

  // A control character other than the field separator.
  const OTHER_CONTROL = controlOtherThan(format.fieldSeparator);

  function time(value) {
    return Number.isFinite(value) ? String(value) : undefined;
  }

  // A record's row as the core reads it; a record not shaped as a clutch's is
  // an empty row, which the core lists as one that cannot be shown. A record
  // read once is written out once. A row whose texts hold no control
  // character but its separators is written as it is joined (the usual
  // case, and a quick one); otherwise field by field.
  const rows = new WeakMap();
  // A log the database kept as text is the tail of the row as it stands.
  const storedLogIsRow = format.fieldSeparator === STORED_SEPARATOR &&
    format.entryFields.join() === STORED_ENTRY_FIELDS.join();
  function rowOf(record) {
    if (!isObject(record)) {
      return "";
    }
    if (rows.has(record)) {
      return rows.get(record);
    }
    const storedLog = storedLogIsRow ? storedLogs.get(record) : undefined;
    if (storedLog === undefined && !Array.isArray(record.log)) {
      return "";
    }
    // A value that is no text is written as the core's mark for it.
    const values = format.clutchFields.map((name) =>
      name === "updated" ? time(record.updated) : record[name]);
    for (const entry of storedLog === undefined ? record.log : []) {
      if (!isObject(entry)) {
        values.push(...format.entryFields.map(() => undefined));
        continue;
      }
      for (const name of format.entryFields) {
        // An entry without an aside counts; one without a date or a
        // temperature is no entry.
        values.push(name === "aside" ? entry.aside ?? "" : entry[name]);
      }
    }
    let row = values.join(format.fieldSeparator);
    if (!values.every((value) => typeof value === "string") || OTHER_CONTROL.test(row) ||
        countOf(row, format.fieldSeparator) !== values.length - 1) {
      row = values.map(field).join(format.fieldSeparator);
    }
    if (storedLog) {
      row += format.fieldSeparator + storedLog;
    }
    rows.set(record, row);
    return row;
  }

  function rowsOf(records) {
    return records.map((record) => rowOf(record) + format.rowSeparator).join("");
  }

  // The record of a row the core kept, from `record` as it was handed over:
  // its own fields and its entries' are kept, and under `mended` the first
  // value of each field the door mended. The record's row is known at once.
  const keptEntry = Object.fromEntries(format.keptEntryFields.map((name, at) => [name, at]));
  function recordOf(row, record, mends) {
    const values = row.split(format.fieldSeparator);
    const kept = core.fields(values, format.clutchFields);
    const log = [];
    const rowValues = values.slice(0, format.clutchFields.length);
    const size = format.keptEntryFields.length;
    for (let at = format.clutchFields.length; at < values.length; at += size) {
      const source = record.log[Number(values[at + keptEntry.source])];
      const [date, lowest, highest, aside] = ["date", "lowest", "highest", "aside"]
        .map((name) => values[at + keptEntry[name]]);
      if (isObject(source) && source.date === date && source.lowest === lowest &&
          source.highest === highest && (source.aside ?? "") === aside) {
        log.push(source);
      } else {
        const entry = { ...(isObject(source) ? source : {}), date, lowest, highest };
        if (aside) {
          entry.aside = aside;
        } else {
          delete entry.aside;
        }
        log.push(entry);
      }
      for (const name of format.entryFields) {
        rowValues.push(values[at + keptEntry[name]]);
      }
    }
    const result = { ...record, ...kept, updated: Number(kept.updated), log };
    if (mends) {
      const mended = isObject(record.mended) ? { ...record.mended } : {};
      for (const name of [...format.clutchFields, "log"]) {
        if (!(name in mended) && !same(record[name], result[name])) {
          mended[name] = record[name] === undefined ? null : record[name];
        }
      }
      result.mended = mended;
    }
    rows.set(result, rowValues.join(format.fieldSeparator));
    return result;
  }

  // Records through the core's door from `source` ("typed", "stored" or
  // "imported") on `today` ([year, month, day]); for a typed change
  // `befores` holds each record as it was before. Each gives { passage,
  // problem, mends, asks, record }: the record as kept when its passage is
  // "kept".
  function check(records, source, today, befores = []) {
    const reply = core.ccall("CheckRecords", "string",
      ["string", "number", "number", "number", "string", "string"],
      [source, ...today, rowsOf(records), rowsOf(befores)]).split(format.rowSeparator);
    return records.map((record, index) => {
      const read = core.fields(reply[2 * index], format.doorFields);
      return read.passage !== "kept" ? read : {
        ...read, record: read.same ? record : recordOf(reply[2 * index + 1], record, read.mends),
      };
    });
  }

  // A backup of `records`, made at `now`, without indentation.
  function backupText(records, now) {
    return JSON.stringify({
      format: BACKUP_FORMAT, version: BACKUP_VERSION, exported: new Date(now).toISOString(),
      clutches: records,
    });
  }

  // What was left out of a backup or mended, named up to NAMED_AT_MOST times
  // and then counted.
  function named(lines) {
    return lines.length <= NAMED_AT_MOST ? lines
      : [...lines.slice(0, NAMED_AT_MOST),
        message("more_not_named", { count: String(lines.length - NAMED_AT_MOST) })];
  }

  // The records of a backup file's text, each through the door as imported
  // and each id once: { records, leftOut, mended } with a sentence for each
  // record left out and each mended, or { problem } when the file as a whole
  // cannot be read.
  function readBackup(text, today) {
    let backup;
    try {
      backup = JSON.parse(text);
    } catch (error) {
      return { problem: text.includes(BACKUP_FORMAT) ? message("import_damaged")
        : message("import_not_backup") };
    }
    if (!isObject(backup) || backup.format !== BACKUP_FORMAT) {
      return { problem: message("import_not_backup") };
    }
    if (!Number.isInteger(backup.version) || !Array.isArray(backup.clutches)) {
      return { problem: message("import_damaged") };
    }
    if (backup.version > BACKUP_VERSION) {
      return { problem: message("import_newer") };
    }
    const records = [];
    const leftOut = [];
    const mended = [];
    const firstPlaces = new Map();
    check(backup.clutches, "imported", today).forEach((read, index) => {
      const number = String(index + 1);
      let problem = read.problem;
      if (read.record && firstPlaces.has(read.record.id)) {
        problem = message("record_duplicate",
          { id: read.record.id, first: firstPlaces.get(read.record.id) });
      }
      if (read.passage !== "kept" || problem) {
        leftOut.push(message("import_problem", { number, problem }));
        return;
      }
      if (read.mends) {
        mended.push(message("mended_record", { name: read.record.name, mends: read.mends }));
      }
      firstPlaces.set(read.record.id, number);
      records.push(read.record);
    });
    return { records, leftOut, mended };
  }

  // What reading a backup says: how many were added and updated, and the
  // records mended and those left out, each named up to NAMED_AT_MOST.
  function importedWords(added, updated, leftOut, mended) {
    return [
      message("imported", { added: String(added), updated: String(updated) }),
      ...(mended.length > 0 ? [message("import_mended", { count: String(mended.length) }),
        ...named(mended)] : []),
      ...(leftOut.length > 0 ? [message("import_left_out", { count: String(leftOut.length) }),
        ...named(leftOut)] : []),
    ].join("");
  }

  // A clutch kept here and the same clutch from a backup, as one: the day
  // entries of both (one a date, the newer copy's where both have one), the
  // hatched date that is set (the newer copy's if both are), the newer copy's
  // other fields (on a tie, the kept one's), the later time, and every field
  // of either.
  function merged(kept, incoming) {
    const incomingNewer = incoming.updated > kept.updated;
    const newer = incomingNewer ? incoming : kept;
    const older = incomingNewer ? kept : incoming;
    return {
      ...older, ...newer,
      hatched: newer.hatched || older.hatched,
      updated: Math.max(kept.updated, incoming.updated),
      // The door keeps the later of two entries for one date: the newer copy's.
      log: [...older.log, ...newer.log],
    };
  }

  // The list the core keeps: `entries` [{ key, record }] put in, each key a
  // text of the caller's. Gives the keys whose stored record the door
  // mended, with the mends in words.
  function listPut(entries, today) {
    const rowsText = entries.map(({ key, record }) =>
      key + format.fieldSeparator + rowOf(record) + format.rowSeparator).join("");
    return core.ccall("ListPut", "string", ["number", "number", "number", "string"],
      [...today, rowsText]).split(format.rowSeparator).slice(0, -1)
      .map((row) => core.fields(row, format.mendedFields));
  }

  function listRemove(keys) {
    core.ccall("ListRemove", "number", ["string"],
      [keys.map((key) => key + format.rowSeparator).join("")]);
  }

  // The list on `today`: the lesson, the last backup (YYYY-MM-DD, or "") in
  // words, and each clutch's key, group and version in the morning's order.
  function listOrder(today, lastBackup) {
    const rowsRead = core.ccall("ListOrder", "string",
      ["number", "number", "number", "string"], [...today, lastBackup])
      .split(format.rowSeparator).slice(0, -1);
    const header = Object.fromEntries(format.listHeaderRows.map((name, index) =>
      [name, rowsRead[index]]));
    return { ...header, order: rowsRead.slice(format.listHeaderRows.length)
      .map((row) => core.fields(row, format.orderFields)) };
  }

  // What each clutch of `keys` shows, as the list was last ordered.
  function listViews(keys) {
    return core.ccall("ListViews", "string", ["string"],
      [keys.map((key) => key + format.rowSeparator).join("")])
      .split(format.rowSeparator).slice(0, -1)
      .map((row) => core.fields(row, format.listFields));
  }

  function spreadsheet(records, today) {
    return core.ccall("NotebookSpreadsheet", "string", ["number", "number", "number", "string"],
      [...today, rowsOf(records)]);
  }

  // A record's day entries as its card lists them (see the core's
  // ClutchDays), at most `most` of them (all when it is 0): { total, days }
  // with { source, date, words } a day, `source` its place in the record's log.
  function days(record, today, most = 0) {
    const [total, ...rowsRead] = core.ccall("ClutchDayEntries", "string",
      ["number", "number", "number", "number", "string"], [...today, most, rowOf(record)])
      .split(format.rowSeparator).slice(0, -1);
    return { total: Number(total), days: rowsRead.map((row) => core.fields(row, format.dayFields)) };
  }

  function calendar(record, today, now) {
    return core.ccall("ClutchCalendar", "string",
      ["number", "number", "number", "number", "string"], [...today, now, rowOf(record)]);
  }

  return {
    message, readTemperature, typedTemperature, rowOf, check, backupText, readBackup,
    importedWords, named, merged, listPut, listRemove, listOrder, listViews, spreadsheet, calendar, days,
  };
}
