// The breeder's notebook: what its buttons do, and how it starts. Every clutch
// is kept in the browser's own database on this device (notebook_database.js),
// checked at the door and worked out by the calculation core
// (notebook_records.js), and listed for the morning (notebook_list.js).
(function () {
  "use strict";

  const page = window.eggPeriodPage;
  const LAST_BACKUP_KEY = "eggperiod-last-backup";
  const CHANNEL = "eggperiod-notebook";
  const CONTROL_CHARACTERS = /[\u0000-\u001f\u007f\u2028\u2029]/g;
  const FILE_NAME_UNSAFE = /[\\/:*?"<>|\u0000-\u001f]/g;
  // A file name made from a clutch's name keeps this many characters of it.
  const FILE_NAME_LENGTH = 40;
  const SAFARI_VENDOR = "Apple Computer, Inc.";

  const section = document.getElementById("notebook");
  const status = document.getElementById("notebook-status");
  const storageNote = document.getElementById("storage-note");
  const savePanel = document.getElementById("save-panel");
  const label = document.getElementById("label");
  const list = document.getElementById("clutches");
  const undoTemplate = document.getElementById("undo-template");

  let records = null;
  let database = null;
  let channel = null;
  let drawing = null;
  // The records as last read from the database, and each one's share line
  // as last listed, by id.
  let stored = new Map();
  let shareLines = new Map();
  // Buttons whose change is being stored: a second press does nothing.
  const busy = new WeakSet();
  let persistenceAsked = false;

  function say(text, ...extra) {
    status.replaceChildren(text, ...extra);
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
    return page.dateParts(page.today());
  }

  // The list, always drawn from what was stored. A list that cannot be drawn
  // says so, and never makes a stored change look failed.
  function show() {
    try {
      const listed = records.list([...stored.values()], todayParts(),
        localStorage.getItem(LAST_BACKUP_KEY) || "");
      shareLines = new Map(listed.clutches.map(function (clutch) {
        return [clutch.record.id, clutch.share];
      }));
      drawing.draw(listed);
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
  // stored (the one clutch a change of one settles with, or every record
  // read again), and `done(result)`. On failure only the message changes,
  // so what was typed stays.
  function store(changing, done, failure) {
    return changing.then(function (result) {
      if (channel) {
        channel.postMessage("changed");
      }
      let shown = reload;
      if ("id" in result) {
        shown = function () {
          if (result.record) {
            stored.set(result.id, result.record);
          } else {
            stored.delete(result.id);
          }
          show();
        };
      }
      return Promise.resolve().then(shown).then(function () {
        done(result);
      }, function () {
        say(records.message("list_failed"));
      });
    }, function () {
      say(records.message(failure || "change_failed"));
    });
  }

  // Asks once that the browser keep the records even when space runs short.
  function askToKeep() {
    if (!persistenceAsked && navigator.storage && navigator.storage.persist) {
      persistenceAsked = true;
      navigator.storage.persist().catch(function () {});
    }
  }

  // The clutch `id` changed by `change(record)`, read and written in one
  // transaction; a changed record that fails the check at the door is not
  // written, and the message says why.
  function update(id, change) {
    let problem = "";
    return store(database.update(id, function (current) {
      if (!current) {
        return null;
      }
      const result = records.checked({ ...change(current), updated: Date.now() });
      problem = result.problem || "";
      return result.record || null;
    }), function () {
      say(problem);
    });
  }

  // What a clutch's buttons do ----------------------------------------------

  function value(item, name) {
    return drawing.field(item, name).value;
  }

  function fieldLabel(item, name) {
    return drawing.field(item, name).labels[0].textContent;
  }

  // A typed temperature field: its text, or nothing when it is empty; null
  // after saying why it cannot be read.
  function typed(item, name) {
    const text = value(item, name);
    if (text === "") {
      return "";
    }
    const result = records.typedTemperature(text, fieldLabel(item, name));
    if (result.problem) {
      say(result.problem);
      return null;
    }
    return result.text;
  }

  function addDay(item, record) {
    const date = value(item, "log-date");
    if (!date || date < record.laid || date > page.today()) {
      say(records.message("log_date_outside"));
      return null;
    }
    const average = typed(item, "log-temperature");
    const lowest = average === null ? null : typed(item, "log-lowest");
    const highest = lowest === null ? null : typed(item, "log-highest");
    if (average === null || lowest === null || highest === null) {
      return null;
    }
    let entry = null;
    if (lowest && highest) {
      entry = { date, lowest, highest };
    } else if (average && !lowest && !highest) {
      entry = { date, lowest: average, highest: average };
    }
    if (!entry) {
      say(records.message("log_needs_temperature"));
      return null;
    }
    // The core keeps one entry a date, the later one: this one.
    return update(record.id, function (current) {
      return { ...current, log: [...current.log, entry] };
    });
  }

  function correct(item, record) {
    const temperature = typed(item, "edit-temperature");
    if (temperature === null) {
      return null;
    }
    if (temperature === "") {
      say(records.message("save_needs_temperature"));
      return null;
    }
    if (!value(item, "edit-laid")) {
      say(records.message("save_needs_laid"));
      return null;
    }
    return update(record.id, function (current) {
      return {
        ...current, name: cleanName(value(item, "edit-name")) || current.name,
        laid: value(item, "edit-laid"), temperature,
      };
    });
  }

  function markHatched(item, record) {
    const date = value(item, "hatched-date");
    if (!date || date < record.laid || date > page.today()) {
      say(records.message("hatched_date_outside"));
      return null;
    }
    return update(record.id, function (current) {
      return { ...current, hatched: date };
    });
  }

  function remove(id, name) {
    return store(database.remove(id), function ({ removed }) {
      const undo = undoTemplate.content.firstElementChild.cloneNode(true);
      undo.addEventListener("click", function () {
        store(database.add(removed), function () {
          say("");
        });
      });
      say(records.message("deleted", { name }), " ", undo);
    });
  }

  function share(line) {
    if (navigator.share) {
      navigator.share({ text: line }).catch(function () {});
      return;
    }
    const copied = function () {
      say(records.message("copied"));
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

  function onClutchButton(event) {
    const button = event.target.closest("button[name]");
    const item = event.target.closest("[data-clutch]");
    if (!button || !item) {
      return;
    }
    const id = drawing.idOf(item);
    const record = stored.get(id);
    const actions = {
      "log-add": function () {
        return addDay(item, record);
      },
      "edit-save": function () {
        return correct(item, record);
      },
      "hatched-save": function () {
        return markHatched(item, record);
      },
      "delete": function () {
        return remove(id, record && typeof record.name === "string" ? record.name : "");
      },
      "share": function () {
        share(shareLines.get(id));
      },
      "calendar": function () {
        addToCalendar(record);
      },
    };
    if (actions[button.name]) {
      press(button, actions[button.name]);
    }
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
    const temperature = records.readTemperature(page.temperature.value);
    if (!temperature) {
      say(records.message("save_needs_temperature"));
      return null;
    }
    if (!page.laid.value) {
      say(records.message("save_needs_laid"));
      return null;
    }
    const now = Date.now();
    const result = records.checked({
      id: newId(), name: cleanName(label.value) || defaultName(), laid: page.laid.value,
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
    }, "save_failed");
  }

  // Backups -------------------------------------------------------------------

  function exportBackup() {
    const today = page.today();
    download(`eggperiod-notebook-${today}.json`, records.backupText([...stored.values()],
      Date.now()), "application/json");
    localStorage.setItem(LAST_BACKUP_KEY, today);
    show();
  }

  function exportSpreadsheet() {
    download(`eggperiod-notebook-${page.today()}.csv`,
      records.spreadsheet([...stored.values()], todayParts()), "text/csv");
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
    list.addEventListener("click", onClutchButton);
    document.getElementById("export-json").addEventListener("click", exportBackup);
    document.getElementById("export-csv").addEventListener("click", exportSpreadsheet);
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
    // A new day changes every clutch's state, and the dates that follow today.
    page.whenTodayChanges(function () {
      show();
      drawing.followNewDay();
    });
  }

  function start(core) {
    performance.mark("eggperiod-notebook-start");
    records = createNotebookRecords(core, page.format, page.messages);
    drawing = createNotebookList(page);
    section.hidden = false;
    const standalone = matchMedia("(display-mode: standalone)").matches || navigator.standalone;
    if (navigator.vendor === SAFARI_VENDOR && !standalone) {
      storageNote.textContent = storageNote.dataset.safari;
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

  page.core.then(start, function () {});
})();
