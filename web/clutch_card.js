// A clutch's card: one component that owns its element, its fields, its
// status line and its listeners. Shown again with a clutch's new texts it
// changes only what changed, so whether it is open, what was typed into its
// fields and what its status line says survive every redraw. Its fields are
// made when it is first opened. A record that cannot be shown is a card of
// one line with its delete button.
import { place } from "./page_text.js";
import { convertTemperatureField } from "./temperature_field.js";
import { today } from "./today.js";

export const CARD_ID_PREFIX = "clutch-";
// Date fields that follow today until the person chooses a date.
const TODAY_FIELDS = ["log-date", "hatched-date"];
// Day entries listed until the person asks for all of them.
const ENTRIES_SHOWN = 7;
// Fields that follow the record until the person types into them.
const RECORD_FIELDS = { "edit-name": "name", "edit-laid": "laid", "edit-temperature": "temperature" };

function fromTemplate(id) {
  return document.getElementById(id).content.firstElementChild.cloneNode(true);
}

// A date field's value and latest day follow today, unless the person chose
// a date.
export function followToday(input, value) {
  const day = today();
  input.max = day;
  if (!input.dataset.chosen) {
    input.value = value || day;
  }
}

// The card of the clutch under `key` in the core's list. `environment` gives
// the core's format, the records' module, today() as [year, month, day],
// onAction(name, card, button) for a press of one of its buttons, and
// onClosed(card) when the person closes it.
export function createClutchCard(key, environment) {
  const { format, records } = environment;
  let element = null;
  let kind = "";
  let clutch = null;
  let record = null;
  // The texts of the card as last shown, by part.
  const shown = new Map();
  // Fields the person typed into since the card last reset them.
  const typed = new Set();
  let details = null;
  let filled = false;
  let status = null;
  // The record whose day entries are listed, and whether all of them are.
  let listedFor = null;
  let allEntries = false;

  function part(name) {
    return element.querySelector(`.clutch-${name}`);
  }

  function field(name) {
    return element.querySelector(`[name="${name}"]`);
  }

  function setText(name, text, marked = false) {
    if (shown.get(name) === text) {
      return;
    }
    shown.set(name, text);
    if (marked) {
      place(part(name), text, format);
    } else {
      part(name).textContent = text;
    }
  }

  function build(newKind) {
    const before = element;
    kind = newKind;
    shown.clear();
    filled = false;
    element = fromTemplate(kind === "damaged" ? "damaged-template" : "clutch-template");
    const newStatus = part("status");
    if (status) {
      newStatus.replaceChildren(...status.childNodes);
    }
    status = newStatus;
    details = kind === "damaged" ? null : part("details");
    element.addEventListener("click", (event) => {
      const button = event.target.closest("button[name]");
      if (button && element.contains(button)) {
        environment.onAction(button.name, card, button);
      }
    });
    if (details) {
      details.addEventListener("toggle", () => {
        if (details.open) {
          fillDetails();
        } else {
          environment.onClosed(card);
        }
      });
    }
    if (before) {
      before.replaceWith(element);
    }
  }

  function fillDetails() {
    if (filled) {
      return;
    }
    filled = true;
    const fields = document.createElement("div");
    fields.className = "clutch-fields-area";
    fields.append(document.getElementById("clutch-details-template").content.cloneNode(true));
    details.append(fields);
    for (const input of element.querySelectorAll("input[name]")) {
      input.id = `${input.name}-${element.id}`;
      element.querySelector(`label[data-for="${input.name}"]`).htmlFor = input.id;
      if (input.inputMode === "decimal") {
        convertTemperatureField(input);
      }
      input.addEventListener("input", () => {
        typed.add(input.name);
        if (TODAY_FIELDS.includes(input.name)) {
          input.dataset.chosen = "yes";
        }
      });
    }
    showFields();
  }

  // The opened card's fields as the record now stands, keeping what the
  // person typed.
  function showFields() {
    if (!filled) {
      return;
    }
    field("log-date").min = record.laid;
    followToday(field("log-date"));
    const hatchedDate = field("hatched-date");
    hatchedDate.min = record.laid;
    if (record.hatched && !typed.has("hatched-date")) {
      hatchedDate.dataset.chosen = "yes";
      hatchedDate.value = record.hatched;
    }
    followToday(hatchedDate, record.hatched);
    field("hatched-undo").hidden = !record.hatched;
    field("calendar").hidden = !clutch.hatch.includes(format.dateMark);
    field("share").hidden = clutch.share === "";
    listEntries();
    for (const [name, recordField] of Object.entries(RECORD_FIELDS)) {
      if (!typed.has(name)) {
        field(name).value = typeof record[recordField] === "string" ? record[recordField] : "";
      }
    }
  }

  // The record's day entries, newest first: the latest ENTRIES_SHOWN, and a
  // button for the rest, listed again only when the record changes.
  function listEntries() {
    if (listedFor === record) {
      return;
    }
    listedFor = record;
    const { total, days: shown } = records.days(record, environment.today(),
      allEntries ? 0 : ENTRIES_SHOWN);
    const items = shown.map((day) => {
      const entry = fromTemplate("entry-template");
      entry.querySelector(".entry-words").textContent = day.words;
      const button = entry.querySelector("button");
      button.value = day.source;
      button.dataset.date = day.date;
      return entry;
    });
    if (shown.length < total) {
      const item = document.createElement("li");
      const all = document.createElement("button");
      all.type = "button";
      all.className = "secondary";
      all.textContent = records.message("entries_all", { count: String(total) });
      all.addEventListener("click", () => {
        allEntries = true;
        listedFor = null;
        listEntries();
      });
      item.append(all);
      items.push(item);
    }
    part("entries").replaceChildren(...items);
  }

  const card = {
    key,
    get element() {
      return element;
    },
    get open() {
      return Boolean(details && details.open);
    },
    // The record as the card last showed it, and what the core listed for it.
    get record() {
      return record;
    },
    get clutch() {
      return clutch;
    },
    field,
    value(name) {
      return field(name).value;
    },
    part,
    // Shows the clutch as the core listed it, and its record: its texts, and
    // its opened fields.
    show(listed, shownRecord) {
      const newKind = listed.group === "damaged" ? "damaged" : "clutch";
      if (newKind !== kind) {
        build(newKind);
      }
      clutch = listed;
      record = shownRecord;
      const id = shownRecord && typeof shownRecord.id === "string" ? shownRecord.id : "";
      element.dataset.clutch = id;
      element.id = id ? CARD_ID_PREFIX + id : "";
      element.dataset.state = listed.group;
      setText("state", listed.state);
      if (kind === "damaged") {
        return;
      }
      setText("name", listed.name);
      setText("laid", listed.laid, true);
      setText("temperature", listed.temperature);
      setText("hatch", listed.hatch, true);
      part("hatch-line").hidden = listed.hatch === "";
      setText("range", listed.range, true);
      part("range-line").hidden = listed.range === "";
      setText("development", listed.development);
      setText("log", listed.log);
      setText("assumes", listed.assumes);
      showFields();
    },
    // The card's status line.
    say(text, ...extra) {
      status.replaceChildren(text, ...extra);
    },
    // Empties the named fields after their change was stored, so that they
    // follow the record, and today, again.
    reset(names) {
      for (const name of names) {
        typed.delete(name);
        const input = field(name);
        if (input) {
          delete input.dataset.chosen;
          input.value = "";
        }
      }
      showFields();
    },
    // On a new day, the date fields follow today.
    followNewDay() {
      if (filled) {
        for (const name of TODAY_FIELDS) {
          followToday(field(name));
        }
      }
    },
  };
  return card;
}
