// The breeder's notebook: what its buttons do, and how it starts. Every clutch
// is kept in the browser's own database on this device (notebook_database.js),
// checked at the door and worked out by the calculation core
// (notebook_records.js), and listed for the morning (notebook_list.js), a
// card a clutch (clutch_card.js).
import { openNotebookDatabase } from "./notebook_database.js";
import { createNotebookList } from "./notebook_list.js";
import { createNotebookRecords } from "./notebook_records.js";
import { convertTemperatureField } from "./temperature_field.js";
import { dateParts, today, whenTodayChanges } from "./today.js";

const LAST_BACKUP_KEY = "eggperiod-last-backup";
// The clutches the person left unticked in the last round.
const ROUND_UNTICKED_KEY = "eggperiod-round-unticked";
const CHANNEL = "eggperiod-notebook";
const CONTROL_CHARACTERS = /[\u0000-\u001f\u007f\u2028\u2029]/g;
const FILE_NAME_UNSAFE = /[\\/:*?"<>|\u0000-\u001f]/g;
// A file name made from a clutch's name keeps this many characters of it.
const FILE_NAME_LENGTH = 40;
const SAFARI_VENDOR = "Apple Computer, Inc.";
// The page's class while it prints the notebook alone.
const PRINTING_LIST = "printing-list";
// The fields of a card's actions, emptied once the change is stored.
const LOG_FIELDS = ["log-date", "log-temperature", "log-lowest", "log-highest"];
const EDIT_FIELDS = ["edit-name", "edit-laid", "edit-temperature"];

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
  let database = null;
  let channel = null;
  // The records as last read from the database, and each one's clutch as
  // last listed, by id.
  let stored = new Map();
  let listedClutches = new Map();
  // Cards the person changed: they keep their place until closed.
  const pinned = new Set();
  // Buttons whose change is being stored: a second press does nothing.
  const busy = new WeakSet();
  let persistenceAsked = false;
  // Safari's note: a calm hint until there are records to lose.
  let safariNote = false;

  const drawing = createNotebookList({
    format: core.format, records, onAction: onCardAction, onClosed: onCardClosed,
  });

  function say(text, ...extra) {
    status.replaceChildren(text, ...extra);
  }

  // A card's own status line, which survives its redrawing.
  function sayOn(id, text, ...extra) {
    const card = drawing.card(id);
    if (card) {
      card.say(text, ...extra);
    }
  }

  // Whether the round ticks a clutch: all at first, then as last chosen, and
  // a clutch saved since then.
  function ticked(id) {
    return !JSON.parse(localStorage.getItem(ROUND_UNTICKED_KEY) || "[]").includes(id);
  }

  // An undo button for `undo`; pressed again while it is stored, it does
  // nothing, and pressed after, it puts back the same records again.
  function undoButton(undo) {
    const button = undoTemplate.content.firstElementChild.cloneNode(true);
    button.addEventListener("click", function () {
      press(button, undo);
    });
    return button;
  }

  function cleanName(text) {
    return text.replace(CONTROL_CHARACTERS, " ").trim();
  }

  function newId() {
    const random = new Uint32Array(2);
    crypto.getRandomValues(random);
    return `${Date.now().toString(36)}-${random[0].toString(36)}${random[1].toString(36)}`;
  }

  function todayParts() {
    return dateParts(today());
  }

  // The list, always drawn from what was stored. A list that cannot be drawn
  // says so, and never makes a stored change look failed.
  function show() {
    try {
      const listed = records.list([...stored.values()], todayParts(),
        localStorage.getItem(LAST_BACKUP_KEY) || "");
      listedClutches = new Map(listed.clutches.map(function (clutch) {
        return [clutch.record.id, clutch];
      }));
      drawing.draw(listed, pinned, ticked);
      if (safariNote) {
        storageNote.className = stored.size > 0 ? "alert" : "hint";
      }
      performance.mark("eggperiod-notebook-shown");
    } catch (error) {
      say(records.message("list_failed"));
    }
  }

  function reload() {
    return database.readAll().then(function (all) {
      stored = new Map(all.map(function (record) {
        return [record.id, record];
      }));
      show();
    });
  }

  // A change stored, then other tabs told, the list shown from what was
  // stored (the records a change of known clutches settles with, or every
  // record read again), and `done(result)`. On failure only the message
  // changes, so what was typed stays.
  function store(changing, done, failure) {
    return changing.then(function (result) {
      if (channel) {
        channel.postMessage("changed");
      }
      const shown = result && result.changed ? function () {
        for (const { id, record } of result.changed) {
          if (record) {
            stored.set(id, record);
          } else {
            stored.delete(id);
          }
        }
        show();
      } : reload;
      return Promise.resolve().then(shown).then(function () {
        done(result);
      }, function () {
        say(records.message("list_failed"));
      });
    }, function () {
      (failure || say)(records.message("change_failed"));
    });
  }

  // Asks once that the browser keep the records even when space runs short.
  function askToKeep() {
    if (!persistenceAsked && navigator.storage && navigator.storage.persist) {
      persistenceAsked = true;
      navigator.storage.persist().catch(function () {});
    }
  }

  // The hatch date of a listed clutch in words, "12月18日" (the first piece of
  // its marked date), or that there is none.
  function hatchDay(id) {
    const clutch = listedClutches.get(id);
    return clutch && clutch.hatch ? clutch.hatch.split(core.format.dateTextMark)[1]
      .split(core.format.dateBreak)[0] : records.message("hatch_none");
  }

  // How the hatch date of `id` moved from `before`, or that it stayed.
  function moved(id, before) {
    const after = hatchDay(id);
    return before === after ? records.message("hatch_stayed", { date: after })
      : records.message("hatch_moved", { from: before, to: after });
  }

  // The clutch `id` changed by `change(record)`, read and written in one
  // transaction; a changed record that fails the check at the door is not
  // written. The card keeps its place and says what happened, by default
  // how its hatch date moved; `fields` are emptied once it is stored.
  function update(id, change, words, fields = []) {
    let problem = "";
    const before = hatchDay(id);
    pinned.add(id);
    return store(database.update([id], function (current) {
      if (!current) {
        return null;
      }
      const result = records.checked({ ...change(current), updated: Date.now() });
      problem = result.problem || "";
      return result.record || null;
    }), function () {
      if (!problem) {
        const card = drawing.card(id);
        if (card) {
          card.reset(fields);
        }
      }
      sayOn(id, problem || words || moved(id, before));
    }, function (text) {
      sayOn(id, text);
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

  // A day's entry from a date field and temperature fields (average, lowest,
  // highest): { entry }, or null after `tell` said why there is none.
  function dayEntry(date, fields, tell, laid) {
    if (!date || (laid && date < laid) || date > today()) {
      tell(records.message("log_date_outside"));
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
    tell(records.message("log_needs_temperature"));
    return null;
  }

  function addDay(card) {
    const record = card.record;
    const tell = function (text) {
      card.say(text);
    };
    const entry = dayEntry(card.value("log-date"), ["log-temperature", "log-lowest",
      "log-highest"].map(card.field), tell, record.laid);
    if (!entry) {
      return null;
    }
    // The core keeps one entry a date, the later one: this one.
    return update(record.id, function (current) {
      return { ...current, log: [...current.log, entry] };
    }, "", LOG_FIELDS);
  }

  function correct(card) {
    const record = card.record;
    const tell = function (text) {
      card.say(text);
    };
    const temperature = typed(card.field("edit-temperature"), tell);
    if (temperature === null) {
      return null;
    }
    if (temperature === "") {
      tell(records.message("edit_needs_temperature"));
      return null;
    }
    if (!card.value("edit-laid")) {
      tell(records.message("edit_needs_laid"));
      return null;
    }
    const name = cleanName(card.value("edit-name"));
    const laid = card.value("edit-laid");
    return update(record.id, function (current) {
      return { ...current, name: name || current.name, laid, temperature };
    }, "", EDIT_FIELDS);
  }

  function markHatched(card) {
    const record = card.record;
    const date = card.value("hatched-date");
    if (!date || date < record.laid || date > today()) {
      card.say(records.message("hatched_date_outside"));
      return null;
    }
    return update(record.id, function (current) {
      return { ...current, hatched: date };
    }, " ", ["hatched-date"]);
  }

  // A day entry deleted, with an undo that puts it back.
  function removeDay(card, date) {
    const record = card.record;
    const removed = record.log.find(function (entry) {
      return entry.date === date;
    });
    const words = records.days(record).find(function (day) {
      return day.date === date;
    }).words;
    return update(record.id, function (current) {
      return { ...current, log: current.log.filter(function (entry) {
        return entry.date !== date;
      }) };
    }).then(function () {
      sayOn(record.id, records.message("entry_deleted", { entry: words }), " ",
        undoButton(function () {
          return update(record.id, function (current) {
            return { ...current, log: [...current.log, removed] };
          });
        }));
    });
  }

  function unmarkHatched(card) {
    return update(card.id, function (current) {
      return { ...current, hatched: "" };
    }, records.message("hatched_undone"), ["hatched-date"]);
  }

  // A deleted card's place says so, with its undo, until the page is left.
  function remove(id, name) {
    let removed;
    const undo = function () {
      return store(database.put([removed]), function () {
        drawing.forgetDeleted(id);
        show();
      });
    };
    const mark = drawing.markDeleted(id, records.message("deleted", { name }));
    mark.querySelector("button").addEventListener("click", function (event) {
      press(event.currentTarget, undo);
    });
    return store(database.remove(id), function (result) {
      removed = result.removed;
    }, function (text) {
      drawing.forgetDeleted(id);
      say(text);
    });
  }

  // Shares a clutch's line, or copies it and says so on its card.
  function share(id) {
    const line = listedClutches.get(id).share;
    if (navigator.share) {
      navigator.share({ text: line }).catch(function () {});
      return;
    }
    const copied = function () {
      sayOn(id, records.message("copied"));
    };
    const copyBySelection = function () {
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
    setTimeout(function () {
      URL.revokeObjectURL(url);
    }, 0);
  }

  function addToCalendar(record) {
    const event = records.calendar(record, todayParts(), Date.now());
    if (event) {
      const name = [...record.name].slice(0, FILE_NAME_LENGTH).join("");
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
      pending.finally(function () {
        busy.delete(button);
      });
    }
  }

  function onCardAction(name, card, button) {
    const id = card.id;
    const record = stored.get(id);
    const actions = {
      "log-add": function () {
        return addDay(card);
      },
      "edit-save": function () {
        return correct(card);
      },
      "hatched-save": function () {
        return markHatched(card);
      },
      "hatched-undo": function () {
        return unmarkHatched(card);
      },
      "entry-delete": function () {
        return removeDay(card, button.value);
      },
      "delete": function () {
        return remove(id, record && typeof record.name === "string" ? record.name : "");
      },
      "share": function () {
        share(id);
      },
      "calendar": function () {
        addToCalendar(record);
      },
    };
    if (actions[name]) {
      press(button, actions[name]);
    }
  }

  // A changed card moves to its place once the person closes it.
  function onCardClosed(card) {
    if (pinned.has(card.id)) {
      pinned.delete(card.id);
      card.say("");
      show();
    }
  }

  // One reading for the shelf ---------------------------------------------------

  // Writes the day for every ticked clutch in one transaction (a day already
  // entered is replaced; a clutch laid after that date is skipped and named),
  // then says which hatch dates moved, with an undo for the whole round.
  function addRound() {
    const tell = function (text, ...extra) {
      roundStatus.replaceChildren(text, ...extra);
    };
    const entry = dayEntry(roundDate.value, ["round-temperature", "round-lowest",
      "round-highest"].map(function (name) {
      return document.getElementById(name);
    }), tell);
    if (!entry) {
      return null;
    }
    const boxes = [...document.querySelectorAll('[name="round-clutch"]')];
    localStorage.setItem(ROUND_UNTICKED_KEY, JSON.stringify(boxes.filter(function (box) {
      return !box.checked;
    }).map(function (box) {
      return box.value;
    })));
    const ids = boxes.filter(function (box) {
      return box.checked;
    }).map(function (box) {
      return box.value;
    });
    if (ids.length === 0) {
      tell(records.message("round_none"));
      return null;
    }
    const before = new Map(ids.map(function (id) {
      return [id, hatchDay(id)];
    }));
    const skipped = [];
    const now = Date.now();
    return store(database.update(ids, function (current) {
      if (!current) {
        return null;
      }
      if (current.laid > entry.date) {
        skipped.push(current.name);
        return null;
      }
      return records.checked({ ...current, log: [...current.log, entry], updated: now }).record ||
        null;
    }), function (result) {
      const lines = [records.message("round_done", { count: String(result.changed.length) })];
      for (const { id, record } of result.changed) {
        if (hatchDay(id) !== before.get(id)) {
          lines.push(records.message("round_moved", { name: record.name, from: before.get(id),
            to: hatchDay(id) }));
        }
      }
      if (skipped.length > 0) {
        lines.push(records.message("round_skipped", {
          names: skipped.join(records.message("list_separator")) }));
      }
      const undo = undoButton(function () {
        return store(database.put(result.before), function () {
          tell(records.message("round_undone"));
        }, tell);
      });
      tell(lines.join("\n"), " ", undo);
    }, tell);
  }

  // Saving the calculation ----------------------------------------------------

  // The next free default name: 記録1, 記録2, ...
  function defaultName() {
    const prefix = records.message("default_name", { number: "" });
    let highest = 0;
    for (const record of stored.values()) {
      const number = typeof record.name === "string" && record.name.startsWith(prefix)
        ? Number(record.name.slice(prefix.length)) : 0;
      if (Number.isInteger(number) && number > highest) {
        highest = number;
      }
    }
    return records.message("default_name", { number: String(highest + 1) });
  }

  function saveCalculation() {
    const temperature = records.readTemperature(calculator.temperature.value);
    if (!temperature) {
      say(records.message("save_needs_temperature"));
      return null;
    }
    if (!calculator.laid.value) {
      say(records.message("save_needs_laid"));
      return null;
    }
    const now = Date.now();
    const result = records.checked({
      id: newId(), name: cleanName(label.value) || defaultName(), laid: calculator.laid.value,
      temperature, hatched: "", log: [], created: now, updated: now,
    });
    if (result.problem) {
      say(result.problem);
      return null;
    }
    const record = result.record;
    return store(database.add(record), function () {
      label.value = "";
      say(records.message("saved", { name: record.name }));
      askToKeep();
    }, function () {
      say(records.message("save_failed"));
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
    drawing.fillPrintTable([...listedClutches.values()]);
    document.body.classList.add(PRINTING_LIST);
    window.print();
  }

  // Records are matched by id, and the more recently changed one wins,
  // decided inside the transaction that writes them.
  function importBackup(file) {
    file.text().then(function (text) {
      const backup = records.readBackup(text);
      if (backup.problem) {
        say(backup.problem);
        return;
      }
      store(database.merge(backup.records, records.replaces), function (counts) {
        say(records.importedWords(counts.added, counts.updated, backup.leftOut));
        if (counts.added > 0) {
          askToKeep();
        }
      });
    }, function () {
      say(records.message("import_not_backup"));
    });
  }

  // Starting ------------------------------------------------------------------

  function unavailable() {
    storageNote.textContent = storageNote.dataset.unavailable;
    storageNote.className = "alert";
    for (const part of [savePanel, list, document.getElementById("backup")]) {
      part.hidden = true;
    }
  }

  function connect() {
    const save = document.getElementById("save");
    save.addEventListener("click", function () {
      press(save, saveCalculation);
    });
    label.addEventListener("keydown", function (event) {
      if (event.key === "Enter" && !event.isComposing) {
        event.preventDefault();
        press(save, saveCalculation);
      }
    });
    const roundAdd = document.getElementById("round-add");
    roundAdd.addEventListener("click", function () {
      press(roundAdd, addRound);
    });
    roundDate.addEventListener("input", function () {
      roundDate.dataset.chosen = "yes";
    });
    for (const name of ["round-temperature", "round-lowest", "round-highest"]) {
      convertTemperatureField(document.getElementById(name));
    }
    document.getElementById("export-json").addEventListener("click", exportBackup);
    document.getElementById("export-csv").addEventListener("click", exportSpreadsheet);
    document.getElementById("print-list").addEventListener("click", printList);
    document.getElementById("import").addEventListener("change", function (event) {
      if (event.target.files.length > 0) {
        importBackup(event.target.files[0]);
        event.target.value = "";
      }
    });
    if ("BroadcastChannel" in window) {
      channel = new BroadcastChannel(CHANNEL);
      channel.onmessage = reload;
    }
    window.addEventListener("afterprint", function () {
      document.body.classList.remove(PRINTING_LIST);
    });
    // A new day changes every clutch's state, and the dates that follow today.
    whenTodayChanges(function () {
      show();
      drawing.followNewDay();
      drawing.followToday(roundDate);
    });
    drawing.followToday(roundDate);
  }

  performance.mark("eggperiod-notebook-start");
  section.hidden = false;
  const standalone = matchMedia("(display-mode: standalone)").matches || navigator.standalone;
  if (navigator.vendor === SAFARI_VENDOR && !standalone) {
    storageNote.textContent = storageNote.dataset.safari;
    safariNote = true;
  }
  let opening;
  try {
    opening = openNotebookDatabase({
      blocked() {
        say(records.message("database_blocked"));
      },
      replaced() {
        say(records.message("database_replaced"));
      },
    });
  } catch (error) {
    opening = Promise.reject(error);
  }
  return opening.then(function (opened) {
    database = opened;
    savePanel.hidden = false;
    connect();
    say("");
    return reload();
  }, unavailable).then(function () {
    performance.mark("eggperiod-notebook-ready");
  });
}
