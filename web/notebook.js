// The breeder's notebook: what its buttons do, and how it starts. Every clutch
// is kept in the browser's own database on this device (notebook_database.js),
// changed in one transaction a change (notebook_changes.js), passed through
// the calculation core's door and worked out by it (notebook_records.js), and
// listed for the morning (notebook_list.js), a card a clutch (clutch_card.js).
// Every change says where it was pressed whether it was made, refused or
// failed; only what was stored is ever drawn.
import { createNotebookChanges } from "./notebook_changes.js";
import { openNotebookDatabase } from "./notebook_database.js";
import { createNotebookList } from "./notebook_list.js";
import { createNotebookRecords, LARGEST_BACKUP } from "./notebook_records.js";
import { convertTemperatureField } from "./temperature_field.js";
import { dateParts, today, whenTodayChanges } from "./today.js";

const LAST_BACKUP_KEY = "eggperiod-last-backup";
// The clutches the person left unticked in the last round.
const ROUND_UNTICKED_KEY = "eggperiod-round-unticked";
const CHANNEL = "eggperiod-notebook";
const FILE_NAME_UNSAFE = /[\\/:*?"<>|\u0000-\u001f]/g;
// A file name made from a clutch's name keeps this many characters of it.
const FILE_NAME_LENGTH = 40;
const SAFARI_VENDOR = "Apple Computer, Inc.";
// The page's class while it prints the notebook alone.
const PRINTING_LIST = "printing-list";
// The fields of a card's actions, emptied once the change is stored.
const LOG_FIELDS = ["log-date", "log-temperature", "log-lowest", "log-highest"];
const EDIT_FIELDS = ["edit-name", "edit-laid", "edit-temperature"];
const ROUND_FIELDS = ["round-temperature", "round-lowest", "round-highest"];

// The key a record has in the core's list and on its card: its id as JSON,
// so that any id, even one that is no text, makes one key.
function keyOf(id) {
  return JSON.stringify(id ?? null);
}

function todayParts() {
  return dateParts(today());
}

// Starts the notebook with the calculation core and the calculator whose
// results it saves.
export function startNotebook(core, calculator) {
  const section = document.getElementById("notebook");
  const status = document.getElementById("notebook-status");
  const storageNote = document.getElementById("storage-note");
  const savePanel = document.getElementById("save-panel");
  const label = document.getElementById("label");
  const list = document.getElementById("clutches");
  const undoTemplate = document.getElementById("undo-template");
  const roundDate = document.getElementById("round-date");
  const roundStatus = document.getElementById("round-status");

  const records = createNotebookRecords(core);
  const message = records.message;
  let database = null;
  let changes = null;
  let channel = null;
  // The records as last read from the database or stored, by key.
  let stored = new Map();
  // Cards the person changed: they keep their place until closed.
  const pinned = new Set();
  // Buttons whose change is being stored: a second press does nothing.
  const busy = new WeakSet();
  let persistenceAsked = false;
  // Safari's note: a calm hint until there are records to lose.
  let safariNote = false;

  const drawing = createNotebookList({
    format: core.format, records, today: todayParts, onAction: onCardAction,
    onClosed: onCardClosed, lastBackup: () => localStorage.getItem(LAST_BACKUP_KEY) || "",
  });

  function say(text, ...extra) {
    status.replaceChildren(text, ...extra);
  }

  // Whether the round ticks a clutch: all at first, then as last chosen, and
  // a clutch saved since then. The choice is read once a drawing.
  function roundTicks() {
    const unticked = new Set(JSON.parse(localStorage.getItem(ROUND_UNTICKED_KEY) || "[]"));
    return (id) => !unticked.has(id);
  }

  // An undo button for `undo`: pressed while it is stored it does nothing,
  // and once it is done it is gone, so a second press does nothing either.
  function undoButton(undo) {
    const button = undoTemplate.content.firstElementChild.cloneNode(true);
    button.addEventListener("click", () => press(button, undo));
    return button;
  }

  function newId() {
    const random = new Uint32Array(2);
    crypto.getRandomValues(random);
    return `${Date.now().toString(36)}-${random[0].toString(36)}${random[1].toString(36)}`;
  }

  // The list drawn from what was stored. A list that cannot be drawn says
  // so, and never makes a stored change look failed.
  function show() {
    return Promise.resolve().then(() => drawing.draw(stored, pinned, roundTicks())).then(() => {
      if (safariNote) {
        storageNote.className = stored.size > 0 ? "alert" : "hint";
      }
      performance.mark("eggperiod-notebook-shown");
    }).catch(() => say(message("list_failed")));
  }

  // Records put into the list and the core's, by key.
  function keep(changed) {
    const put = [];
    const removed = [];
    for (const { id, record } of changed) {
      const key = keyOf(id);
      if (record) {
        stored.set(key, record);
        put.push({ key, record });
      } else {
        stored.delete(key);
        removed.push(key);
      }
    }
    drawing.remove(removed);
    return drawing.put(put);
  }

  // Reads every record again (another tab changed them), a batch at a time.
  // A record with the time of the last change it had is taken as unchanged.
  function reload() {
    const read = new Map();
    return database.readAll((batch) => {
      const changed = [];
      for (const record of batch) {
        const key = keyOf(record.id);
        const known = stored.get(key);
        const unchanged = known && known.updated === record.updated;
        read.set(key, unchanged ? known : record);
        if (!unchanged) {
          changed.push({ key, record });
        }
      }
      drawing.put(changed);
    }).then(() => {
      drawing.remove([...stored.keys()].filter((key) => !read.has(key)));
      stored = read;
      return show();
    });
  }

  // After a change was written: other tabs told, the list drawn from the
  // records it stored, then `shown()`, all guarded, since the change stands.
  function afterWriting(result, shown) {
    try {
      if (channel) {
        channel.postMessage("changed");
      }
      keep(result.changed);
    } catch (error) {
      say(message("list_failed"));
      return Promise.resolve();
    }
    return show().then(shown).catch(() => say(message("list_failed")));
  }

  // What a change's result says where it was pressed (`tell`): its
  // refusal, that it failed (`failed`), or, once it is drawn, what
  // `done(result)` says.
  function answer(pending, tell, failed, done) {
    return pending.then((result) => {
      if (result.outcome === "refused") {
        tell(result.problem);
      } else if (result.outcome === "failed") {
        tell(failed);
      } else {
        return afterWriting(result, () => done(result));
      }
      return undefined;
    });
  }

  // Names in a list: "A-1、B-2".
  function listed(names) {
    return names.join(message("list_separator"));
  }

  // The clutches an undo left as they were, since they changed after the
  // change it takes back; or nothing.
  function changedSince(names) {
    return names.length > 0 ? message("undo_changed_since", { names: listed(names) }) : "";
  }

  // Asks once that the browser keep the records even when space runs short.
  function askToKeep() {
    if (!persistenceAsked && navigator.storage && navigator.storage.persist) {
      persistenceAsked = true;
      navigator.storage.persist().catch(() => {});
    }
  }

  // The hatch date of a listed clutch in words, "12月18日" (the first piece of
  // its marked date), or that there is none.
  function hatchDay(key) {
    const view = drawing.view(key);
    return view && view.hatch.includes(core.format.dateMark) ? view.hatch
      .split(core.format.dateTextMark)[1].split(core.format.dateBreak)[0]
      : message("hatch_none");
  }

  // How the hatch date of `key` moved from `before`, or that it stayed.
  function moved(key, before) {
    const after = hatchDay(key);
    return before === after ? message("hatch_stayed", { date: after })
      : message("hatch_moved", { from: before, to: after });
  }

  // A card's change: the card keeps its place and says what happened (by
  // default how its hatch date moved); `fields` are emptied once stored.
  function changeOn(card, pending, fields = [], words = undefined) {
    const before = hatchDay(card.key);
    pinned.add(card.key);
    return answer(pending, card.say, message("change_failed"), (result) => {
      card.reset(fields);
      card.say(...[].concat(words ? words(result) : [result.mends, moved(card.key, before)]));
    });
  }

  // What a clutch's buttons do ----------------------------------------------

  // A typed temperature field: its text, or nothing when it is empty; null
  // after `tell` said why it cannot be read.
  function typed(input, tell) {
    const text = input.value;
    if (text === "") {
      return "";
    }
    const result = records.typedTemperature(text, input.labels[0].textContent);
    if (result.problem) {
      tell(result.problem);
      return null;
    }
    return result.text;
  }

  // A day's entry from a date and temperature fields (average, lowest,
  // highest), or null after `tell` said why there is none. The dates the
  // entry may take are the door's to judge.
  function dayEntry(date, fields, tell) {
    if (!date) {
      tell(message("log_date_outside"));
      return null;
    }
    const texts = [];
    for (const input of fields) {
      const text = typed(input, tell);
      if (text === null) {
        return null;
      }
      texts.push(text);
    }
    const [averageText, lowestText, highestText] = texts;
    if (lowestText && highestText) {
      return { date, lowest: lowestText, highest: highestText };
    }
    if (averageText && !lowestText && !highestText) {
      return { date, lowest: averageText, highest: averageText };
    }
    tell(message("log_needs_temperature"));
    return null;
  }

  function addDay(card) {
    const entry = dayEntry(card.value("log-date"),
      ["log-temperature", "log-lowest", "log-highest"].map(card.field), card.say);
    return entry && changeOn(card, changes.addDay(card.record.id, entry), LOG_FIELDS);
  }

  function correct(card) {
    const temperature = typed(card.field("edit-temperature"), card.say);
    if (temperature === null) {
      return null;
    }
    if (temperature === "") {
      card.say(message("edit_needs_temperature"));
      return null;
    }
    if (!card.value("edit-laid")) {
      card.say(message("edit_needs_laid"));
      return null;
    }
    const name = card.value("edit-name").trim();
    return changeOn(card, changes.correct(card.record.id, {
      ...(name ? { name } : {}), laid: card.value("edit-laid"), temperature,
    }), EDIT_FIELDS);
  }

  // Hatched, with an undo that takes back that mark only while it stands.
  function markHatched(card) {
    const date = card.value("hatched-date");
    if (!date) {
      card.say(message("hatched_date_outside"));
      return null;
    }
    const id = card.record.id;
    return changeOn(card, changes.markHatched(id, date), ["hatched-date"], () => [
      drawing.view(card.key).state, " ", undoButton(() => changeOn(card,
        changes.unmarkHatched(id, date), ["hatched-date"], () => message("hatched_undone")))]);
  }

  function unmarkHatched(card) {
    return changeOn(card, changes.unmarkHatched(card.record.id), ["hatched-date"],
      () => message("hatched_undone"));
  }

  // A day entry deleted, with an undo that puts it back while its date is free.
  function removeDay(card, button) {
    const words = button.closest("li").querySelector(".entry-words").textContent;
    const id = card.record.id;
    return changeOn(card, changes.removeDay(id, Number(button.value), button.dataset.date),
      [], (result) => [message("entry_deleted", { entry: words }), " ",
        undoButton(() => changeOn(card, changes.putDayBack(id, result.removed), [],
          () => message("entry_restored", { entry: words })))]);
  }

  // A deleted card's place says so, with its undo, until the page is left;
  // the undo puts the clutch back only if no clutch has its id.
  function remove(card) {
    const key = card.key;
    const name = drawing.view(key)?.name ?? "";
    return changes.remove(stored.get(key)?.id).then((result) => {
      if (result.outcome !== "done") {
        card.say(result.outcome === "refused" ? result.problem : message("delete_failed"));
        return undefined;
      }
      const mark = drawing.markDeleted(key, message("deleted", { name }));
      const undo = mark.querySelector("button");
      undo.addEventListener("click", () => press(undo, () => answer(
        changes.restore(result.removed),
        (text) => mark.querySelector(".deleted-words").replaceChildren(text), message("undo_failed"),
        () => {
          drawing.forgetDeleted(key);
          return show();
        })));
      return afterWriting(result, () => {});
    });
  }

  // Shares a clutch's line, or copies it and says so on its card.
  function share(card) {
    const line = drawing.view(card.key).share;
    if (navigator.share) {
      navigator.share({ text: line }).catch(() => {});
      return;
    }
    const copied = () => card.say(message("copied"));
    const copyBySelection = () => {
      const text = document.createElement("textarea");
      text.value = line;
      document.body.append(text);
      text.select();
      document.execCommand("copy");
      text.remove();
      copied();
    };
    if (navigator.clipboard) {
      navigator.clipboard.writeText(line).then(copied, copyBySelection);
    } else {
      copyBySelection();
    }
  }

  function download(name, text, type) {
    const url = URL.createObjectURL(new Blob([text], { type: `${type};charset=utf-8` }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name.replace(FILE_NAME_UNSAFE, "_");
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 0);
  }

  function addToCalendar(card) {
    const event = records.calendar(card.record, todayParts(), Date.now());
    if (event) {
      const name = [...drawing.view(card.key).name].slice(0, FILE_NAME_LENGTH).join("");
      download(`${name}.ics`, event, "text/calendar");
    }
  }

  // Runs a button's action unless its last one is still being stored.
  function press(button, action) {
    if (busy.has(button)) {
      return;
    }
    const pending = action();
    if (pending) {
      busy.add(button);
      pending.finally(() => busy.delete(button));
    }
  }

  const CARD_ACTIONS = {
    "log-add": addDay,
    "edit-save": correct,
    "hatched-save": markHatched,
    "hatched-undo": unmarkHatched,
    "entry-delete": removeDay,
    "delete": remove,
    "share": share,
    "calendar": addToCalendar,
  };

  function onCardAction(name, card, button) {
    if (CARD_ACTIONS[name]) {
      press(button, () => CARD_ACTIONS[name](card, button));
    }
  }

  // A changed card moves to its place once the person closes it.
  function onCardClosed(card) {
    if (pinned.has(card.key)) {
      pinned.delete(card.key);
      card.say("");
      show();
    }
  }

  // One reading for the shelf ---------------------------------------------------

  // Writes the day for every ticked clutch in one transaction (a day already
  // entered is replaced; a clutch the door refuses, laid after that date, is
  // skipped and named), then says which hatch dates moved, with an undo that
  // takes back only what the round wrote and still stands.
  function addRound() {
    const tell = (text, ...extra) => roundStatus.replaceChildren(text, ...extra);
    const entry = dayEntry(roundDate.value, ROUND_FIELDS.map((name) =>
      document.getElementById(name)), tell);
    if (!entry) {
      return null;
    }
    const boxes = [...document.querySelectorAll('[name="round-clutch"]')];
    localStorage.setItem(ROUND_UNTICKED_KEY, JSON.stringify(boxes.filter((box) => !box.checked)
      .map((box) => box.value)));
    const ids = boxes.filter((box) => box.checked).map((box) => box.value);
    if (ids.length === 0) {
      tell(message("round_none"));
      return null;
    }
    const before = new Map(ids.map((id) => [id, hatchDay(keyOf(id))]));
    return answer(changes.round(ids, entry), tell, message("change_failed"), (result) => {
      const lines = [message("round_done", { count: String(result.written.length) })];
      for (const { id, name } of result.written) {
        const to = hatchDay(keyOf(id));
        if (to !== before.get(id)) {
          lines.push(message("round_moved", { name, from: before.get(id), to }));
        }
      }
      if (result.skipped.length > 0) {
        const names = listed(result.skipped.map((skipped) => skipped.name));
        lines.push(message("round_skipped", { names }));
      }
      const undo = undoButton(() => answer(changes.undoRound(result.written), tell,
        message("undo_failed"), (undone) => tell(message("round_undone"),
          changedSince(undone.changedSince))));
      tell(lines.join("\n"), " ", undo);
    });
  }

  // Saving the calculation ----------------------------------------------------

  // The next free default name: 記録1, 記録2, ...
  function defaultName() {
    const prefix = message("default_name", { number: "" });
    let highest = 0;
    for (const record of stored.values()) {
      const number = typeof record.name === "string" && record.name.startsWith(prefix)
        ? Number(record.name.slice(prefix.length)) : 0;
      if (Number.isInteger(number) && number > highest) {
        highest = number;
      }
    }
    return message("default_name", { number: String(highest + 1) });
  }

  function saveCalculation() {
    const temperature = records.readTemperature(calculator.temperature.value);
    if (!temperature) {
      say(message("save_needs_temperature"));
      return null;
    }
    if (!calculator.laid.value) {
      say(message("save_needs_laid"));
      return null;
    }
    const name = label.value.trim() || defaultName();
    return answer(changes.save({
      id: newId(), name, laid: calculator.laid.value, temperature, hatched: "", log: [],
    }), say, message("save_failed"), (result) => {
      label.value = "";
      say(message("saved", { name: result.changed[0].record.name }), result.mends);
      askToKeep();
    });
  }

  // Backups -------------------------------------------------------------------

  function exportBackup() {
    const day = today();
    download(`eggperiod-notebook-${day}.json`, records.backupText([...stored.values()],
      Date.now()), "application/json");
    localStorage.setItem(LAST_BACKUP_KEY, day);
    show();
  }

  function exportSpreadsheet() {
    download(`eggperiod-notebook-${today()}.csv`,
      records.spreadsheet([...stored.values()], todayParts()), "text/csv");
  }

  // The notebook alone, printed as a table.
  function printList() {
    drawing.fillPrintTable();
    document.body.classList.add(PRINTING_LIST);
    window.print();
  }

  // A backup read, each record merged with its clutch here, in one
  // transaction, with an undo that takes back the whole import where it
  // still stands. A file too large is refused whole.
  function importBackup(file) {
    if (file.size > LARGEST_BACKUP) {
      say(message("import_too_large"));
      return Promise.resolve();
    }
    return file.text().then((text) => {
      const backup = records.readBackup(text, todayParts());
      if (backup.problem) {
        say(backup.problem);
        return undefined;
      }
      return answer(changes.importRecords(backup.records), say, message("import_failed"), (result) => {
        const words = records.importedWords(result.added, result.updated, backup.leftOut,
          backup.mended);
        if (result.changes.length === 0) {
          say(words);
          return;
        }
        say(words, " ", undoButton(() => answer(changes.undoImport(result.changes), say,
          message("undo_failed"), (undone) => say(message("import_undone"),
            changedSince(undone.changedSince)))));
        if (result.added > 0) {
          askToKeep();
        }
      });
    }, () => say(message("import_not_backup")));
  }

  // Starting ------------------------------------------------------------------

  function unavailable(error) {
    const newer = error && error.name === "VersionError";
    storageNote.textContent = newer ? message("database_newer")
      : storageNote.dataset.unavailable;
    storageNote.className = "alert";
    for (const part of [savePanel, list, document.getElementById("backup")]) {
      part.hidden = true;
    }
  }

  function connect() {
    const save = document.getElementById("save");
    save.addEventListener("click", () => press(save, saveCalculation));
    label.addEventListener("keydown", (event) => {
      if (event.key === "Enter" && !event.isComposing) {
        event.preventDefault();
        press(save, saveCalculation);
      }
    });
    const roundAdd = document.getElementById("round-add");
    roundAdd.addEventListener("click", () => press(roundAdd, addRound));
    roundDate.addEventListener("input", () => {
      roundDate.dataset.chosen = "yes";
    });
    for (const name of ROUND_FIELDS) {
      convertTemperatureField(document.getElementById(name));
    }
    document.getElementById("export-json").addEventListener("click", exportBackup);
    document.getElementById("export-csv").addEventListener("click", exportSpreadsheet);
    document.getElementById("print-list").addEventListener("click", printList);
    const importField = document.getElementById("import");
    importField.addEventListener("change", () => {
      if (importField.files.length > 0) {
        const file = importField.files[0];
        importField.value = "";
        press(importField, () => importBackup(file));
      }
    });
    if ("BroadcastChannel" in window) {
      channel = new BroadcastChannel(CHANNEL);
      channel.onmessage = () => reload().catch(() => say(message("list_failed")));
    }
    window.addEventListener("afterprint", () => document.body.classList.remove(PRINTING_LIST));
    // A new day changes every clutch's state, and the dates that follow today.
    whenTodayChanges(() => {
      show();
      drawing.followNewDay();
      drawing.followToday(roundDate);
    });
    drawing.followToday(roundDate);
  }

  // The records the door mended as the notebook opened, written back once
  // and named once.
  function mendOnOpening(mended) {
    if (mended.length === 0) {
      return Promise.resolve();
    }
    const reads = records.check(mended.map(({ key }) => stored.get(key)), "stored", todayParts());
    const writing = mended.map(({ key }, index) => ({
      key: stored.get(key).id, read: stored.get(key), record: reads[index].record,
    }));
    return changes.writeMends(writing).then((result) => {
      if (result.outcome !== "done") {
        return;
      }
      keep(result.changed);
      const names = writing.map(({ record }, index) =>
        message("mended_record", { name: record.name, mends: reads[index].mends }));
      say([message("mended_on_opening", { count: String(names.length) }),
        ...records.named(names)].join(""));
    });
  }

  function opened(openedDatabase) {
    database = openedDatabase;
    changes = createNotebookChanges(database, records, todayParts, Date.now);
    savePanel.hidden = false;
    connect();
    say("");
    const mended = [];
    return database.readAll((batch) => {
      for (const record of batch) {
        stored.set(keyOf(record.id), record);
      }
      mended.push(...drawing.put(batch.map((record) => ({ key: keyOf(record.id), record }))));
    }).then(() => mendOnOpening(mended)).then(show);
  }

  performance.mark("eggperiod-notebook-start");
  section.hidden = false;
  const standalone = matchMedia("(display-mode: standalone)").matches || navigator.standalone;
  if (navigator.vendor === SAFARI_VENDOR && !standalone) {
    storageNote.textContent = storageNote.dataset.safari;
    safariNote = true;
  }
  return openNotebookDatabase({
    blocked: () => say(message("database_blocked")),
    replaced: () => say(message("database_replaced")),
    closed: () => say(message("database_closed")),
  }).then(opened, unavailable).catch(() => say(message("list_failed"))).then(() => {
    performance.mark("eggperiod-notebook-ready");
  });
}
