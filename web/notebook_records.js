// The notebook's records and the road between them and the calculation core:
// the one place that knows a clutch's fields. A record is kept as
// { id, name, laid, temperature, hatched, log: [{ date, lowest, highest }],
// created, updated } (dates YYYY-MM-DD, hatched "" until it hatched, times in
// milliseconds); the core reads it as a row whose fields the core's format
// names, checks it at the door and works out every date, state and text.
// Runs in the page and under Node.
const BACKUP_FORMAT = "eggperiod-notebook";
const BACKUP_VERSION = 1;
const CONTROL_CHARACTER = /[\u0000-\u001f]/g;

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

  // A text as one field of a row: each control character crosses as the
  // core's substitute, so that none can split the row.
  function field(text) {
    return text.replace(CONTROL_CHARACTER, format.substituteMark);
  }

  function isText(value) {
    return typeof value === "string";
  }

  // A record as the core reads it, ended by the row separator; a record not
  // shaped as a clutch's becomes an empty row, which the core calls damaged.
  // A record read once is written out once.
  const rows = new WeakMap();
  function rowOf(record) {
    const isObject = record !== null && typeof record === "object";
    if (isObject && rows.has(record)) {
      return rows.get(record);
    }
    const shaped = isObject && Array.isArray(record.log) &&
      Number.isFinite(record.updated) &&
      format.clutchFields.every(function (name) {
        return isText(record[name]);
      }) &&
      record.log.every(function (entry) {
        return entry && format.entryFields.every(function (name) {
          return isText(entry[name]);
        });
      });
    const row = (shaped ? [
      ...format.clutchFields.map(function (name) {
        return record[name];
      }),
      ...record.log.flatMap(function (entry) {
        return format.entryFields.map(function (name) {
          return entry[name];
        });
      }),
    ].map(field).join(format.fieldSeparator) : "") + format.rowSeparator;
    if (isObject) {
      rows.set(record, row);
    }
    return row;
  }

  function rowsOf(records) {
    return records.map(rowOf).join("");
  }

  // The record of a row the core kept, with the times of `record`.
  function recordOf(row, record) {
    const values = row.split(format.fieldSeparator);
    const log = [];
    for (let at = format.clutchFields.length; at < values.length;
      at += format.entryFields.length) {
      log.push(core.fields(values, format.entryFields, at));
    }
    return {
      ...core.fields(values, format.clutchFields), log,
      created: Number.isFinite(record.created) ? record.created : record.updated,
      updated: record.updated,
    };
  }

  // A record checked at the door, whether typed, stored or read from a
  // backup: { record } as it is kept, or { problem } in words.
  function checked(record) {
    const [problem, row] = core.ccall("CheckClutch", "string", ["string"],
      [rowOf(record).slice(0, -format.rowSeparator.length)]).split(format.rowSeparator);
    return problem ? { problem } : { record: recordOf(row, record) };
  }

  // A backup of `records`, made at `now`.
  function backupText(records, now) {
    return JSON.stringify({
      format: BACKUP_FORMAT, version: BACKUP_VERSION, exported: new Date(now).toISOString(),
      clutches: records,
    }, null, 1);
  }

  // The records of a backup file's text, each checked at the door and each id
  // once: { records, leftOut } with a sentence for each record left out, or
  // { problem } when the file as a whole cannot be read.
  function readBackup(text) {
    let backup;
    try {
      backup = JSON.parse(text);
    } catch (error) {
      return { problem: message(text.includes(BACKUP_FORMAT) ? "import_damaged"
        : "import_not_backup") };
    }
    if (!backup || backup.format !== BACKUP_FORMAT) {
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
    const firstPlaces = new Map();
    backup.clutches.forEach(function (clutch, index) {
      const number = String(index + 1);
      let result = checked(clutch);
      if (result.record && firstPlaces.has(result.record.id)) {
        result = { problem: message("record_duplicate",
          { id: result.record.id, first: firstPlaces.get(result.record.id) }) };
      }
      if (result.problem) {
        leftOut.push(message("import_problem", { number, problem: result.problem }));
        return;
      }
      firstPlaces.set(result.record.id, number);
      records.push(result.record);
    });
    return { records, leftOut };
  }

  // What reading a backup says: how many were added and updated, and each
  // record left out.
  function importedWords(added, updated, leftOut) {
    const words = message("imported", { added: String(added), updated: String(updated) });
    return leftOut.length === 0 ? words
      : [words, message("import_left_out", { count: String(leftOut.length) }), ...leftOut].join("");
  }

  // Of two records with one id, whether the one read from a backup replaces
  // the one kept: when it was changed more recently, or the one kept has no
  // time of its own (it is damaged).
  function replaces(incoming, kept) {
    return !kept || !(kept.updated >= incoming.updated);
  }

  // The list on `today` ([year, month, day]): the lesson, the last backup
  // (YYYY-MM-DD, or "") in words, and a clutch in the morning's order with
  // the fields the core's list names, its record and the text it was drawn
  // from (a clutch whose text is as before need not be drawn again).
  function list(records, today, lastBackup) {
    const [lesson, backup, ...listed] = core.ccall("NotebookList", "string",
      ["number", "number", "number", "string", "string"],
      [...today, lastBackup, rowsOf(records)]).split(format.rowSeparator);
    return {
      lesson, backup, clutches: listed.map(function (row) {
        const clutch = core.fields(row, format.listFields);
        const { place, ...shown } = clutch;
        return { ...clutch, record: records[Number(place)],
          drawn: Object.values(shown).join(format.fieldSeparator) };
      }),
    };
  }

  function spreadsheet(records, today) {
    return core.ccall("NotebookSpreadsheet", "string", ["number", "number", "number", "string"],
      [...today, rowsOf(records)]);
  }

  // A record's day entries, newest first: { date, words } each.
  function days(record) {
    return core.ccall("ClutchDayEntries", "string", ["string"],
      [rowOf(record).slice(0, -format.rowSeparator.length)]).split(format.rowSeparator)
      .slice(0, -1).reverse().map(function (row) {
        const [date, words] = row.split(format.fieldSeparator);
        return { date, words };
      });
  }

  function calendar(record, today, now) {
    return core.ccall("ClutchCalendar", "string",
      ["number", "number", "number", "number", "string"],
      [...today, now, rowOf(record).slice(0, -format.rowSeparator.length)]);
  }

  return {
    message, readTemperature, typedTemperature, checked, backupText, readBackup, importedWords,
    replaces, list, spreadsheet, calendar, days,
  };
}
