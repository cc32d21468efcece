// The notebook on the page, drawn from what the core wrote: the morning's
// summary above the calculator, a card a clutch in the morning's order with
// the hatched ones folded after the others, a record that cannot be shown as
// one line with its delete button, and a checkbox a clutch for the round.
// Only the cards whose texts changed are drawn again, and a clutch's fields
// are made when the card is first opened.
function createNotebookList(page, records) {
  "use strict";
  const section = document.getElementById("notebook");
  const today = document.getElementById("today");
  const lesson = document.getElementById("lesson");
  const empty = document.getElementById("notebook-empty");
  const list = document.getElementById("clutches");
  const hatched = document.getElementById("hatched");
  const hatchedSummary = document.getElementById("hatched-summary");
  const hatchedList = document.getElementById("hatched-clutches");
  const round = document.getElementById("round");
  const roundClutches = document.getElementById("round-clutches");
  const lastBackup = document.getElementById("last-backup");
  const printTable = document.querySelector("#print-table tbody");
  const clutchTemplate = document.getElementById("clutch-template");
  const damagedTemplate = document.getElementById("damaged-template");
  const detailsTemplate = document.getElementById("clutch-details-template");
  const deletedTemplate = document.getElementById("deleted-template");
  const entryTemplate = document.getElementById("entry-template");
  // Date fields that follow today until the person chooses a date.
  const TODAY_FIELDS = ["log-date", "hatched-date"];
  // How many of the coming clutches the morning's summary names.
  const NEXT_NAMED = 2;
  const CARD_ID_PREFIX = "clutch-";

  // The cards by record id, the text each was drawn from, and each card's id.
  let cards = new Map();
  let drawnTexts = new Map();
  const ids = new WeakMap();
  // Where deleted cards stood, until the page is left: { element, place } by id.
  const deleted = new Map();

  function part(item, name) {
    return item.querySelector(`.clutch-${name}`);
  }

  function field(item, name) {
    return item.querySelector(`[name="${name}"]`);
  }

  function clutchCard(clutch) {
    const item = clutchTemplate.content.firstElementChild.cloneNode(true);
    item.dataset.state = clutch.group;
    part(item, "name").textContent = clutch.record.name;
    part(item, "state").textContent = clutch.state;
    page.place(part(item, "laid"), clutch.laid);
    part(item, "temperature").textContent = clutch.temperature;
    page.place(part(item, "hatch"), clutch.hatch);
    part(item, "hatch-line").hidden = clutch.hatch === "";
    page.place(part(item, "range"), clutch.range);
    part(item, "range-line").hidden = clutch.range === "";
    part(item, "development").textContent = clutch.development;
    part(item, "log").textContent = clutch.log;
    part(item, "assumes").textContent = clutch.assumes;
    const details = part(item, "details");
    details.addEventListener("toggle", function () {
      if (details.open) {
        fillDetails(item, clutch);
      }
    });
    return item;
  }

  function damagedCard(clutch) {
    const item = damagedTemplate.content.firstElementChild.cloneNode(true);
    part(item, "state").textContent = clutch.state;
    return item;
  }

  // A date field's value and latest day follow today, unless the person
  // chose a date.
  function followToday(input, value) {
    const day = page.today();
    input.max = day;
    if (!input.dataset.chosen) {
      input.value = value || day;
    }
  }

  function fillDetails(item, clutch) {
    const record = clutch.record;
    if (item.dataset.filled) {
      return;
    }
    item.dataset.filled = "yes";
    const fields = document.createElement("div");
    fields.className = "clutch-fields-area";
    fields.append(detailsTemplate.content.cloneNode(true));
    part(item, "details").append(fields);
    for (const input of item.querySelectorAll("input[name]")) {
      input.id = `${input.name}-${record.id}`;
      item.querySelector(`label[data-for="${input.name}"]`).htmlFor = input.id;
      if (input.inputMode === "decimal") {
        page.convertTemperatureField(input);
      }
      if (TODAY_FIELDS.includes(input.name)) {
        input.addEventListener("input", function () {
          input.dataset.chosen = "yes";
        });
      }
    }
    field(item, "log-date").min = record.laid;
    followToday(field(item, "log-date"));
    field(item, "hatched-date").min = record.laid;
    if (record.hatched) {
      field(item, "hatched-date").dataset.chosen = "yes";
    }
    followToday(field(item, "hatched-date"), record.hatched);
    field(item, "hatched-undo").hidden = !record.hatched;
    field(item, "calendar").hidden = clutch.hatch === "";
    part(item, "entries").replaceChildren(...records.days(record).map(function (day) {
      const entry = entryTemplate.content.firstElementChild.cloneNode(true);
      entry.querySelector(".entry-words").textContent = day.words;
      entry.querySelector("button").value = day.date;
      return entry;
    }));
    field(item, "edit-name").value = record.name;
    field(item, "edit-laid").value = record.laid;
    field(item, "edit-temperature").value = record.temperature;
  }

  // The card of each listed clutch: as before when its text and record are;
  // drawn again for a record that did not change (a new day) it keeps its
  // opened fields with what was typed in them, and a changed card that was
  // open opens again.
  function cardOf(clutch, previousCards, previousTexts) {
    const id = clutch.record.id;
    const before = previousCards.get(id);
    const drawn = previousTexts.get(id);
    let card = before;
    if (!drawn || drawn.text !== clutch.drawn || drawn.updated !== clutch.record.updated) {
      card = clutch.group === "damaged" ? damagedCard(clutch) : clutchCard(clutch);
      const details = before && part(before, "details");
      if (details && part(card, "details")) {
        if (before.dataset.filled && drawn.updated === clutch.record.updated) {
          part(card, "details").append(part(before, "fields-area"));
          card.dataset.filled = "yes";
        }
        part(card, "details").open = details.open;
      }
      if (before) {
        part(card, "status").replaceChildren(...part(before, "status").childNodes);
      }
    }
    card.dataset.clutch = typeof id === "string" ? id : "";
    card.id = typeof id === "string" ? CARD_ID_PREFIX + id : "";
    ids.set(card, id);
    return card;
  }

  // The morning's summary: what hatches today, what is past its date, and
  // the next ones, each name a link to its card; nothing when there is
  // nothing to say.
  function drawToday(clutches, message) {
    const lines = [
      ["today_hatching", clutches.filter(function (clutch) {
        return clutch.group === "today";
      })],
      ["today_late", clutches.filter(function (clutch) {
        return clutch.group === "late";
      })],
      ["today_next", clutches.filter(function (clutch) {
        return clutch.group === "ahead";
      }).slice(0, NEXT_NAMED)],
    ].filter(function ([, named]) {
      return named.length > 0;
    });
    today.replaceChildren(...lines.map(function ([words, named]) {
      const line = document.createElement("p");
      line.append(message(words));
      named.forEach(function (clutch, index) {
        const link = document.createElement("a");
        link.href = `#${CARD_ID_PREFIX}${clutch.record.id}`;
        link.textContent = clutch.record.name;
        line.append(index > 0 ? message("list_separator") : "", link, clutch.due);
      });
      return line;
    }));
    today.hidden = lines.length === 0;
  }

  // A checkbox for each unhatched clutch: a box already there keeps its
  // tick, a new one is ticked as `ticked(id)` says. Drawn again only when
  // the clutches or their names change.
  let roundDrawn = "";
  function drawRound(clutches, ticked) {
    const open = clutches.filter(function (clutch) {
      return clutch.group !== "hatched" && clutch.group !== "damaged";
    });
    const drawn = JSON.stringify(open.map(function (clutch) {
      return [clutch.record.id, clutch.record.name];
    }));
    if (drawn === roundDrawn) {
      return;
    }
    roundDrawn = drawn;
    const boxes = new Map([...roundClutches.querySelectorAll("input")].map(function (box) {
      return [box.value, box.checked];
    }));
    roundClutches.replaceChildren(...open.map(function (clutch) {
      const id = clutch.record.id;
      const label = document.createElement("label");
      const box = document.createElement("input");
      box.type = "checkbox";
      box.name = "round-clutch";
      box.value = id;
      box.checked = boxes.has(id) ? boxes.get(id) : ticked(id);
      label.append(box, clutch.record.name);
      return label;
    }));
    round.hidden = open.length === 0;
  }

  // Draws the notebook as the records' module listed it. A card in `pinned`
  // (changed by the person and still open) keeps its place among the others,
  // and stays out of the hatched ones; a deleted card's place shows it was
  // deleted, with its undo button.
  function draw(listed, pinned, message, ticked) {
    lesson.textContent = listed.lesson;
    page.place(lastBackup, listed.backup);
    drawToday(listed.clutches, message);
    drawRound(listed.clutches, ticked);
    const previousCards = cards;
    const previousTexts = drawnTexts;
    const previousOrder = [...previousCards.keys()];
    cards = new Map();
    drawnTexts = new Map();
    const shown = [];
    const folded = [];
    const kept = [];
    for (const clutch of listed.clutches) {
      const id = clutch.record.id;
      const card = cardOf(clutch, previousCards, previousTexts);
      cards.set(id, card);
      drawnTexts.set(id, { text: clutch.drawn, updated: clutch.record.updated });
      if (pinned.has(id) && previousOrder.includes(id)) {
        kept.push(card);
      } else if (clutch.group === "hatched") {
        folded.push(card);
      } else {
        shown.push(card);
      }
    }
    for (const card of kept.sort(function (a, b) {
      return previousOrder.indexOf(ids.get(a)) - previousOrder.indexOf(ids.get(b));
    })) {
      shown.splice(Math.min(previousOrder.indexOf(ids.get(card)), shown.length), 0, card);
    }
    for (const { element, place } of deleted.values()) {
      shown.splice(Math.min(place, shown.length), 0, element);
    }
    replaceInOrder(list, shown);
    replaceInOrder(hatchedList, folded);
    hatched.hidden = folded.length === 0;
    hatchedSummary.textContent = message("hatched_count", { count: String(folded.length) });
    empty.hidden = listed.clutches.length > 0;
    section.classList.toggle("has-clutches", listed.clutches.length > 0);
  }

  // A list's children as `items`, moving only what changed.
  function replaceInOrder(parent, items) {
    const current = [...parent.children];
    if (current.length !== items.length || current.some(function (item, index) {
      return item !== items[index];
    })) {
      parent.replaceChildren(...items);
    }
  }

  // The record id of the card an element is in, or undefined.
  function idOf(element) {
    const item = element.closest("[data-clutch], [data-deleted]");
    return item ? ids.get(item) : undefined;
  }

  function card(id) {
    return cards.get(id);
  }

  // Marks where a deleted clutch's card stood, with words and its undo
  // button, until the page is left or the undo is pressed.
  function markDeleted(id, words) {
    const element = deletedTemplate.content.firstElementChild.cloneNode(true);
    element.querySelector(".deleted-words").textContent = words;
    ids.set(element, id);
    deleted.set(id, { element, place: [...list.children].indexOf(cards.get(id)) });
    return element;
  }

  function forgetDeleted(id) {
    deleted.delete(id);
  }

  // The table the notebook prints as: a row a clutch, in the list's order.
  function fillPrintTable(clutches) {
    const cells = function (clutch) {
      return [
        [clutch.record.name], [clutch.laid], [clutch.temperature],
        [clutch.hatch, clutch.range ? " " : "", clutch.range], [clutch.state],
        [clutch.development], [clutch.log, clutch.season ? " " : "", clutch.season],
      ];
    };
    printTable.replaceChildren(...clutches.map(function (clutch) {
      const row = document.createElement("tr");
      for (const texts of cells(clutch)) {
        const cell = document.createElement("td");
        for (const text of texts) {
          const piece = document.createElement("span");
          page.place(piece, text);
          cell.append(piece);
        }
        row.append(cell);
      }
      return row;
    }));
  }

  // On a new day, every open card's date fields follow today.
  function followNewDay() {
    for (const item of cards.values()) {
      for (const name of TODAY_FIELDS) {
        const input = field(item, name);
        if (input) {
          followToday(input);
        }
      }
    }
  }

  return {
    draw, idOf, card, part, field, markDeleted, forgetDeleted, followToday, followNewDay,
    fillPrintTable,
  };
}
