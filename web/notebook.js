// The breeder's notebook: every clutch kept in the browser's own database
// (IndexedDB) on this device, listed for the morning, with its temperatures
// day by day, and backups. The calculation core works out every date, state
// and text; this script keeps the clutches and places what the core returns.
(function () {
  "use strict";

  const page = window.eggPeriodPage;
  const FORMAT = page.format;
  const DATABASE = "eggperiod";
  const STORE = "clutches";
  // Each version of the database's layout, made from the one before it: the
  // database's version is how many there are.
  const UPGRADES = [
    function (database) {
      database.createObjectStore(STORE, { keyPath: "id" });
    },
  ];
  const BACKUP_FORMAT = "eggperiod-notebook";
  const BACKUP_VERSION = 1;
  const LAST_BACKUP_KEY = "eggperiod-last-backup";
  const CHANNEL = "eggperiod-notebook";
  const ISO_DATE = /^\d{4}-\d{2}-\d{2}$/;
  // A name never holds the characters that separate the core's fields.
  const CONTROL_CHARACTERS = /[\u0000-\u001f\u007f]/g;
  const FILE_NAME_UNSAFE = /[\\/:*?"<>|\u0000-\u001f]/g;
  const SAFARI_VENDOR = "Apple Computer, Inc.";

  const section = document.getElementById("notebook");
  const status = document.getElementById("notebook-status");
  const storageNote = document.getElementById("storage-note");
  const lesson = document.getElementById("lesson");
  const empty = document.getElementById("notebook-empty");
  const list = document.getElementById("clutches");
  const lastBackup = document.getElementById("last-backup");
  const savePanel = document.getElementById("save-panel");
  const label = document.getElementById("label");
  const clutchTemplate = document.getElementById("clutch-template");
  const detailsTemplate = document.getElementById("clutch-details-template");
  const undoTemplate = document.getElementById("undo-template");

  let core = null;
  let database = null;
  let channel = null;
  // The clutches as last read from the database, by id; the list's rows as
  // the core wrote them, their fields, and their elements, by id.
  let stored = new Map();
  let rowTexts = new Map();
  let rows = new Map();
  let elements = new Map();

  function message(name, values) {
    const pairs = Object.entries(values || {}).flat().join(FORMAT.fieldSeparator);
    return core.ccall("Message", "string", ["string", "string"], [name, pairs]);
  }

  function say(text, ...extra) {
    status.replaceChildren(text, ...extra);
  }

  // The part of a temperature text read as its number, or "" when none is.
  function readTemperature(text) {
    const length = core.ccall("ReadLength", "number", ["string"], [text]);
    return text.slice(0, length);
  }

  function cleanName(text) {
    return text.replace(CONTROL_CHARACTERS, " ").trim();
  }

  function newId() {
    const random = new Uint32Array(2);
    crypto.getRandomValues(random);
    return `${Date.now().toString(36)}-${random[0].toString(36)}${random[1].toString(36)}`;
  }

  // A clutch keeps its day entries as the core reads them, in date order:
  // "date,lowest,highest;..." (the average as both lowest and highest).
  function logEntries(log) {
    return log === "" ? [] : log.split(FORMAT.entrySeparator).map(function (entry) {
      const [date, lowest, highest] = entry.split(FORMAT.entryPartSeparator);
      return { date, lowest, highest };
    });
  }

  function logText(entries) {
    return entries.map(function (entry) {
      return [entry.date, entry.lowest, entry.highest].join(FORMAT.entryPartSeparator);
    }).join(FORMAT.entrySeparator);
  }

  // The clutches as the core reads them; a clutch read from the database
  // once is written out once.
  const clutchRows = new WeakMap();
  function clutchesText(clutches) {
    return clutches.map(function (clutch) {
      if (!clutchRows.has(clutch)) {
        clutchRows.set(clutch, [clutch.id, clutch.name, clutch.laid, clutch.temperature,
          clutch.hatched, clutch.log].join(FORMAT.fieldSeparator));
      }
      return clutchRows.get(clutch);
    }).join(FORMAT.rowSeparator);
  }

  function todayParts() {
    return page.dateParts(page.today());
  }

  // The database ------------------------------------------------------------

  function openDatabase() {
    return new Promise(function (resolve, reject) {
      const request = indexedDB.open(DATABASE, UPGRADES.length);
      request.onupgradeneeded = function (event) {
        for (let version = event.oldVersion; version < UPGRADES.length; ++version) {
          UPGRADES[version](request.result);
        }
      };
      request.onsuccess = function () {
        resolve(request.result);
      };
      request.onerror = function () {
        reject(request.error);
      };
    });
  }

  // One change in one transaction; settles once it is stored, or failed.
  function change(work) {
    return new Promise(function (resolve, reject) {
      const transaction = database.transaction(STORE, "readwrite");
      work(transaction.objectStore(STORE));
      transaction.oncomplete = function () {
        resolve();
      };
      transaction.onerror = transaction.onabort = function () {
        reject(transaction.error);
      };
    });
  }

  function readAll() {
    return new Promise(function (resolve, reject) {
      const request = database.transaction(STORE).objectStore(STORE).getAll();
      request.onsuccess = function () {
        resolve(request.result);
      };
      request.onerror = function () {
        reject(request.error);
      };
    });
  }

  // The list is always shown from what was stored.
  function reload() {
    return readAll().then(function (clutches) {
      stored = new Map(clutches.map(function (clutch) {
        return [clutch.id, clutch];
      }));
      show();
    });
  }

  // The one clutch read back after it was changed, or found gone.
  function reloadOne(id) {
    return new Promise(function (resolve, reject) {
      const request = database.transaction(STORE).objectStore(STORE).get(id);
      request.onsuccess = function () {
        if (request.result) {
          stored.set(id, request.result);
        } else {
          stored.delete(id);
        }
        show();
        resolve();
      };
      request.onerror = function () {
        reject(request.error);
      };
    });
  }

  // Stores a change, then shows the list as stored (the clutch `id` read
  // back, or all of them) and tells other tabs. On failure nothing on the
  // page changes but the message, so what was typed stays.
  function store(work, done, failure, id) {
    return change(work).then(function () {
      if (channel) {
        channel.postMessage("changed");
      }
      return id === undefined ? reload() : reloadOne(id);
    }).then(done, function () {
      say(message(failure || "change_failed"));
    });
  }

  function put(clutch, done) {
    clutch.updated = Date.now();
    return store(function (objects) {
      objects.put(clutch);
    }, done, undefined, clutch.id);
  }

  // The list ----------------------------------------------------------------

  function show() {
    const clutches = [...stored.values()];
    const [lessonText, backupText, ...clutchRows] = core.ccall(
      "NotebookList", "string", ["number", "number", "number", "string", "string"],
      [...todayParts(), localStorage.getItem(LAST_BACKUP_KEY) || "", clutchesText(clutches)])
      .split(FORMAT.rowSeparator);
    lesson.textContent = lessonText;
    page.place(lastBackup, backupText);
    // A clutch whose row and record are as before keeps its element, open or not.
    const previousTexts = rowTexts;
    const previousElements = elements;
    rowTexts = new Map();
    rows = new Map();
    elements = new Map();
    const shown = clutchRows.map(function (row) {
      const fields = row.split(FORMAT.fieldSeparator);
      const id = fields[0];
      const kept = previousTexts.get(id) === row &&
        previousElements.get(id).dataset.updated === String(stored.get(id).updated);
      const before = previousElements.get(id);
      const element = kept ? before : clutchElement(fields);
      // A clutch changed while its fields were open keeps them open.
      if (!kept && before && before.querySelector(".clutch-details").open) {
        element.querySelector(".clutch-details").open = true;
      }
      rowTexts.set(id, row);
      rows.set(id, fields);
      elements.set(id, element);
      return element;
    });
    // In the same order, only the changed clutches are replaced.
    const order = [...previousTexts.keys()];
    if (order.length === shown.length && [...rowTexts.keys()].every(function (id, index) {
      return order[index] === id;
    })) {
      for (const [id, element] of elements) {
        if (previousElements.get(id) !== element) {
          previousElements.get(id).replaceWith(element);
        }
      }
    } else {
      list.replaceChildren(...shown);
    }
    empty.hidden = clutchRows.length > 0;
    section.classList.toggle("has-clutches", clutchRows.length > 0);
    performance.mark("eggperiod-notebook-shown");
  }

  function clutchElement([id, group, laid, temperature, hatch, state, development, , log]) {
    const item = clutchTemplate.content.firstElementChild.cloneNode(true);
    const part = function (name) {
      return item.querySelector(`.clutch-${name}`);
    };
    item.dataset.clutch = id;
    item.dataset.state = group;
    item.dataset.updated = stored.get(id).updated;
    part("name").textContent = stored.get(id).name;
    part("state").textContent = state;
    page.place(part("laid"), laid);
    part("temperature").textContent = temperature;
    page.place(part("hatch"), hatch);
    part("hatch-line").hidden = hatch === "";
    part("development").textContent = development;
    part("log").textContent = log;
    const details = part("details");
    details.addEventListener("toggle", function () {
      if (details.open) {
        fillDetails(item, details, stored.get(id));
      }
    });
    return item;
  }

  // A clutch's fields are made when they are first opened, so a long list
  // stays quick.
  function fillDetails(item, details, clutch) {
    if (item.dataset.filled) {
      return;
    }
    item.dataset.filled = "yes";
    details.append(detailsTemplate.content.cloneNode(true));
    for (const field of item.querySelectorAll("input[name]")) {
      field.id = `${field.name}-${clutch.id}`;
      item.querySelector(`label[data-for="${field.name}"]`).htmlFor = field.id;
      if (field.inputMode === "decimal") {
        page.convertTemperatureField(field);
      }
    }
    const field = function (name) {
      return item.querySelector(`[name="${name}"]`);
    };
    const today = page.today();
    field("log-date").value = today;
    field("log-date").min = clutch.laid;
    field("log-date").max = today;
    field("edit-name").value = clutch.name;
    field("edit-laid").value = clutch.laid;
    field("edit-temperature").value = clutch.temperature;
    field("hatched-date").value = clutch.hatched || today;
  }

  // What a clutch's buttons do ----------------------------------------------

  function addDay(item, clutch) {
    const value = function (name) {
      return item.querySelector(`[name="${name}"]`).value;
    };
    const date = value("log-date");
    if (!ISO_DATE.test(date) || date < clutch.laid || date > page.today()) {
      say(message("log_date_outside"));
      return;
    }
    const average = readTemperature(value("log-temperature"));
    const lowest = readTemperature(value("log-lowest"));
    const highest = readTemperature(value("log-highest"));
    let entry = null;
    if (lowest && highest) {
      entry = { date, lowest, highest };
    } else if (average && !value("log-lowest") && !value("log-highest")) {
      entry = { date, lowest: average, highest: average };
    }
    if (!entry) {
      say(message("log_needs_temperature"));
      return;
    }
    // The same date again replaces that day; the days stay in date order.
    const entries = logEntries(clutch.log).filter(function (day) {
      return day.date !== date;
    });
    const later = entries.findIndex(function (day) {
      return day.date > date;
    });
    entries.splice(later < 0 ? entries.length : later, 0, entry);
    put({ ...clutch, log: logText(entries) }, function () {
      say("");
    });
  }

  function correct(item, clutch) {
    const value = function (name) {
      return item.querySelector(`[name="${name}"]`).value;
    };
    const temperature = readTemperature(value("edit-temperature"));
    if (!temperature) {
      say(message("save_needs_temperature"));
      return;
    }
    if (!ISO_DATE.test(value("edit-laid"))) {
      say(message("save_needs_laid"));
      return;
    }
    put({
      ...clutch, name: cleanName(value("edit-name")) || clutch.name, laid: value("edit-laid"),
      temperature,
    }, function () {
      say("");
    });
  }

  function markHatched(item, clutch) {
    const date = item.querySelector('[name="hatched-date"]').value;
    if (ISO_DATE.test(date)) {
      put({ ...clutch, hatched: date }, function () {
        say("");
      });
    }
  }

  function remove(clutch) {
    store(function (objects) {
      objects.delete(clutch.id);
    }, function () {
      const undo = undoTemplate.content.firstElementChild.cloneNode(true);
      undo.addEventListener("click", function () {
        store(function (objects) {
          objects.put(clutch);
        }, function () {
          say("");
        }, undefined, clutch.id);
      });
      say(message("deleted", { name: clutch.name }), " ", undo);
    }, undefined, clutch.id);
  }

  function share(line) {
    if (navigator.share) {
      navigator.share({ text: line }).catch(function () {});
      return;
    }
    const copied = function () {
      say(message("copied"));
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

  function addToCalendar(clutch) {
    const event = core.ccall("ClutchCalendar", "string",
      ["number", "number", "number", "string"], [...todayParts(), clutchesText([clutch])]);
    if (event) {
      download(`${clutch.name}.ics`, event, "text/calendar");
    }
  }

  function onClutchButton(event) {
    const button = event.target.closest("button[name]");
    const item = event.target.closest("[data-clutch]");
    if (!button || !item) {
      return;
    }
    const clutch = stored.get(item.dataset.clutch);
    const actions = {
      "log-add": function () {
        addDay(item, clutch);
      },
      "edit-save": function () {
        correct(item, clutch);
      },
      "hatched-save": function () {
        markHatched(item, clutch);
      },
      "delete": function () {
        remove(clutch);
      },
      "share": function () {
        share(rows.get(clutch.id)[7]);
      },
      "calendar": function () {
        addToCalendar(clutch);
      },
    };
    if (actions[button.name]) {
      actions[button.name]();
    }
  }

  // Saving the calculation ----------------------------------------------------

  // The next free default name: 記録1, 記録2, ...
  function defaultName() {
    const prefix = message("default_name", { number: "" });
    let highest = 0;
    for (const clutch of stored.values()) {
      const number = clutch.name.startsWith(prefix) ? Number(clutch.name.slice(prefix.length)) : 0;
      if (Number.isInteger(number) && number > highest) {
        highest = number;
      }
    }
    return message("default_name", { number: String(highest + 1) });
  }

  function saveCalculation() {
    const temperature = readTemperature(page.temperature.value);
    if (!temperature) {
      say(message("save_needs_temperature"));
      return;
    }
    if (!ISO_DATE.test(page.laid.value)) {
      say(message("save_needs_laid"));
      return;
    }
    const first = stored.size === 0;
    const clutch = {
      id: newId(), name: cleanName(label.value) || defaultName(), laid: page.laid.value,
      temperature, hatched: "", log: "", created: Date.now(), updated: Date.now(),
    };
    store(function (objects) {
      objects.add(clutch);
    }, function () {
      label.value = "";
      say(message("saved", { name: clutch.name }));
      // Ask once that the browser keep the records even when space runs short.
      if (first && navigator.storage && navigator.storage.persist) {
        navigator.storage.persist().catch(function () {});
      }
    }, "save_failed", clutch.id);
  }

  // Backups -------------------------------------------------------------------

  function exportBackup() {
    const today = page.today();
    const backup = {
      format: BACKUP_FORMAT, version: BACKUP_VERSION, exported: new Date().toISOString(),
      clutches: [...stored.values()].map(function (clutch) {
        return { ...clutch, log: logEntries(clutch.log) };
      }),
    };
    download(`eggperiod-notebook-${today}.json`, JSON.stringify(backup, null, 1),
      "application/json");
    localStorage.setItem(LAST_BACKUP_KEY, today);
    show();
  }

  function exportSpreadsheet() {
    download(`eggperiod-notebook-${page.today()}.csv`, core.ccall("NotebookSpreadsheet",
      "string", ["number", "number", "number", "string"],
      [...todayParts(), clutchesText([...stored.values()])]), "text/csv");
  }

  function isText(value) {
    return typeof value === "string";
  }

  function isDate(value) {
    return isText(value) && ISO_DATE.test(value);
  }

  // A clutch of a backup as the notebook keeps it, or null when it is damaged.
  function backedUpClutch(clutch) {
    const valid = clutch && isText(clutch.id) && clutch.id !== "" && isText(clutch.name) &&
      isDate(clutch.laid) && isText(clutch.temperature) && readTemperature(clutch.temperature) &&
      (clutch.hatched === "" || isDate(clutch.hatched)) && Array.isArray(clutch.log) &&
      Number.isFinite(clutch.updated) && clutch.log.every(function (entry) {
        return entry && isDate(entry.date) && isText(entry.lowest) && isText(entry.highest) &&
          readTemperature(entry.lowest) && readTemperature(entry.highest);
      });
    if (!valid) {
      return null;
    }
    return {
      id: clutch.id, name: cleanName(clutch.name), laid: clutch.laid,
      temperature: readTemperature(clutch.temperature), hatched: clutch.hatched,
      log: logText([...clutch.log].sort(function (a, b) {
        return a.date < b.date ? -1 : a.date > b.date ? 1 : 0;
      }).map(function (entry) {
        return { date: entry.date, lowest: readTemperature(entry.lowest),
          highest: readTemperature(entry.highest) };
      })),
      created: Number.isFinite(clutch.created) ? clutch.created : clutch.updated,
      updated: clutch.updated,
    };
  }

  // The clutches of a backup file's text, or the name of the message that
  // says why there are none.
  function readBackup(text) {
    let backup;
    try {
      backup = JSON.parse(text);
    } catch (error) {
      return { problem: text.includes(BACKUP_FORMAT) ? "import_damaged" : "import_not_backup" };
    }
    if (!backup || backup.format !== BACKUP_FORMAT) {
      return { problem: "import_not_backup" };
    }
    if (!Number.isInteger(backup.version) || !Array.isArray(backup.clutches)) {
      return { problem: "import_damaged" };
    }
    if (backup.version > BACKUP_VERSION) {
      return { problem: "import_newer" };
    }
    const clutches = backup.clutches.map(backedUpClutch);
    return clutches.includes(null) ? { problem: "import_damaged" } : { clutches };
  }

  // Clutches are matched by id, and the more recently changed one wins.
  function importBackup(file) {
    file.text().then(function (text) {
      const backup = readBackup(text);
      if (backup.problem) {
        say(message(backup.problem));
        return;
      }
      let added = 0;
      let updated = 0;
      const newer = backup.clutches.filter(function (clutch) {
        const current = stored.get(clutch.id);
        if (!current) {
          added += 1;
        } else if (clutch.updated > current.updated) {
          updated += 1;
        } else {
          return false;
        }
        return true;
      });
      store(function (objects) {
        for (const clutch of newer) {
          objects.put(clutch);
        }
      }, function () {
        say(message("imported", { added: String(added), updated: String(updated) }));
      });
    }, function () {
      say(message("import_not_backup"));
    });
  }

  // Starting ------------------------------------------------------------------

  function unavailable() {
    storageNote.textContent = storageNote.dataset.unavailable;
    for (const part of [savePanel, list, document.getElementById("backup")]) {
      part.hidden = true;
    }
  }

  function start() {
    performance.mark("eggperiod-notebook-start");
    section.hidden = false;
    const standalone = matchMedia("(display-mode: standalone)").matches || navigator.standalone;
    if (navigator.vendor === SAFARI_VENDOR && !standalone) {
      storageNote.textContent = storageNote.dataset.safari;
    }
    let opened;
    try {
      opened = openDatabase();
    } catch (error) {
      opened = Promise.reject(error);
    }
    return opened.then(function (opened) {
      database = opened;
      // A newer version of the page in another tab may need the database.
      database.onversionchange = function () {
        database.close();
      };
      savePanel.hidden = false;
      document.getElementById("save").addEventListener("click", saveCalculation);
      label.addEventListener("keydown", function (event) {
        if (event.key === "Enter" && !event.isComposing) {
          event.preventDefault();
          saveCalculation();
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
      // A new day changes every clutch's state.
      document.addEventListener("visibilitychange", function () {
        if (document.visibilityState === "visible") {
          show();
        }
      });
      return reload();
    }).catch(unavailable).then(function () {
      performance.mark("eggperiod-notebook-ready");
    });
  }

  page.core.then(function (ready) {
    core = ready;
    start();
  }, function () {});
})();
