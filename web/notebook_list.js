// The notebook's list on the page: a card a clutch in the morning's order,
// drawn from what the core wrote; a record that cannot be shown is one line
// saying so, with its delete button. Only the cards whose texts changed are
// drawn again, and a clutch's fields are made when they are first opened.
function createNotebookList(page) {
  "use strict";
  const section = document.getElementById("notebook");
  const lesson = document.getElementById("lesson");
  const empty = document.getElementById("notebook-empty");
  const list = document.getElementById("clutches");
  const lastBackup = document.getElementById("last-backup");
  const clutchTemplate = document.getElementById("clutch-template");
  const damagedTemplate = document.getElementById("damaged-template");
  const detailsTemplate = document.getElementById("clutch-details-template");
  // Date fields that follow today until the person chooses a date.
  const TODAY_FIELDS = ["log-date", "hatched-date"];

  // The cards by record id, the text each was drawn from, and each card's id.
  let cards = new Map();
  let drawnTexts = new Map();
  const ids = new WeakMap();

  function part(item, name) {
    return item.querySelector(`.clutch-${name}`);
  }

  function field(item, name) {
    return item.querySelector(`[name="${name}"]`);
  }

  function clutchCard(clutch) {
    const record = clutch.record;
    const item = clutchTemplate.content.firstElementChild.cloneNode(true);
    item.dataset.state = clutch.group;
    part(item, "name").textContent = record.name;
    part(item, "state").textContent = clutch.state;
    page.place(part(item, "laid"), clutch.laid);
    part(item, "temperature").textContent = clutch.temperature;
    page.place(part(item, "hatch"), clutch.hatch);
    page.place(part(item, "range"), clutch.range);
    part(item, "hatch-line").hidden = clutch.hatch === "";
    part(item, "assumes").textContent = clutch.assumes;
    part(item, "development").textContent = clutch.development;
    part(item, "log").textContent = clutch.log;
    const details = part(item, "details");
    details.addEventListener("toggle", function () {
      if (details.open) {
        fillDetails(item, record);
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
    const today = page.today();
    input.max = today;
    if (!input.dataset.chosen) {
      input.value = value || today;
    }
  }

  function fillDetails(item, record) {
    if (item.dataset.filled) {
      return;
    }
    item.dataset.filled = "yes";
    part(item, "details").append(detailsTemplate.content.cloneNode(true));
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
    field(item, "edit-name").value = record.name;
    field(item, "edit-laid").value = record.laid;
    field(item, "edit-temperature").value = record.temperature;
  }

  // Draws the list as the records' module listed it. A card whose text and
  // record are as before stays as it is, open or not. A card drawn again for
  // a record that did not change (a new day) keeps its opened fields with
  // what was typed in them; a changed card that was open opens again.
  function draw(listed) {
    lesson.textContent = listed.lesson;
    page.place(lastBackup, listed.backup);
    const previousCards = cards;
    const previousTexts = drawnTexts;
    cards = new Map();
    drawnTexts = new Map();
    const shown = listed.clutches.map(function (clutch) {
      const id = clutch.record.id;
      const before = previousCards.get(id);
      const drawn = previousTexts.get(id);
      let card = before;
      if (!drawn || drawn.text !== clutch.drawn || drawn.updated !== clutch.record.updated) {
        card = clutch.group === "damaged" ? damagedCard(clutch) : clutchCard(clutch);
        const details = before && part(before, "details");
        if (details && part(card, "details")) {
          if (before.dataset.filled && drawn.updated === clutch.record.updated) {
            part(card, "details").replaceWith(details);
            card.dataset.filled = "yes";
          } else {
            part(card, "details").open = details.open;
          }
        }
      }
      card.dataset.clutch = typeof id === "string" ? id : "";
      ids.set(card, id);
      cards.set(id, card);
      drawnTexts.set(id, { text: clutch.drawn, updated: clutch.record.updated });
      return card;
    });
    // In the same order, only the changed cards are replaced.
    const order = [...previousCards.keys()];
    if (order.length === shown.length && [...cards.keys()].every(function (id, index) {
      return order[index] === id;
    })) {
      for (const [id, card] of cards) {
        if (previousCards.get(id) !== card) {
          previousCards.get(id).replaceWith(card);
        }
      }
    } else {
      list.replaceChildren(...shown);
    }
    empty.hidden = shown.length > 0;
    section.classList.toggle("has-clutches", shown.length > 0);
  }

  // The record id of the card an element is in, or undefined.
  function idOf(element) {
    const item = element.closest("[data-clutch]");
    return item ? ids.get(item) : undefined;
  }

  // On a new day, every open card's date fields follow today.
  function followNewDay() {
    for (const card of cards.values()) {
      for (const name of TODAY_FIELDS) {
        const input = field(card, name);
        if (input) {
          followToday(input);
        }
      }
    }
  }

  return { draw, idOf, field, followNewDay };
}
