// The notebook on the page, drawn from what the core wrote: the morning's
// summary above the calculator, a card a clutch in the morning's order with
// the hatched ones folded after the others, and a checkbox a clutch for the
// round. Each card is a component of its own (clutch_card.js), kept from one
// drawing to the next.
import { CARD_ID_PREFIX, createClutchCard, followToday } from "./clutch_card.js";
import { place } from "./page_text.js";

// How many of the coming clutches the morning's summary names.
const NEXT_NAMED = 2;

// `environment` as a card takes it (clutch_card.js).
export function createNotebookList(environment) {
  const { format, records } = environment;
  const message = records.message;
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
  const deletedTemplate = document.getElementById("deleted-template");

  // The cards by record id, in the order last drawn.
  let cards = new Map();
  // Where deleted cards stood, until the page is left: { element, place } by id.
  const deleted = new Map();

  // The morning's summary: what hatches today, what is past its date, and
  // the next ones, each name a link to its card; nothing when there is
  // nothing to say.
  function drawToday(clutches) {
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

  // A list's children as `items`, moving only what changed.
  function replaceInOrder(parent, items) {
    const current = [...parent.children];
    if (current.length !== items.length || current.some(function (item, index) {
      return item !== items[index];
    })) {
      parent.replaceChildren(...items);
    }
  }

  // Draws the notebook as the records' module listed it. A card in `pinned`
  // (changed by the person and still open) keeps its place among the others,
  // and stays out of the hatched ones; a deleted card's place shows it was
  // deleted, with its undo button.
  function draw(listed, pinned, ticked) {
    lesson.textContent = listed.lesson;
    place(lastBackup, listed.backup, format);
    drawToday(listed.clutches);
    drawRound(listed.clutches, ticked);
    const previousOrder = [...cards.keys()];
    const previousCards = cards;
    cards = new Map();
    const shown = [];
    const folded = [];
    const kept = [];
    for (const clutch of listed.clutches) {
      const id = clutch.record.id;
      const card = previousCards.get(id) || createClutchCard(id, environment);
      card.show(clutch);
      cards.set(id, card);
      if (pinned.has(id) && previousOrder.includes(id)) {
        kept.push(card);
      } else if (clutch.group === "hatched") {
        folded.push(card.element);
      } else {
        shown.push(card.element);
      }
    }
    for (const card of kept.sort(function (a, b) {
      return previousOrder.indexOf(a.id) - previousOrder.indexOf(b.id);
    })) {
      shown.splice(Math.min(previousOrder.indexOf(card.id), shown.length), 0, card.element);
    }
    for (const { element, place: at } of deleted.values()) {
      shown.splice(Math.min(at, shown.length), 0, element);
    }
    replaceInOrder(list, shown);
    replaceInOrder(hatchedList, folded);
    hatched.hidden = folded.length === 0;
    hatchedSummary.textContent = message("hatched_count", { count: String(folded.length) });
    empty.hidden = listed.clutches.length > 0;
    section.classList.toggle("has-clutches", listed.clutches.length > 0);
  }

  function card(id) {
    return cards.get(id);
  }

  // Marks where a deleted clutch's card stood, with words and its undo
  // button, until the page is left or the undo is pressed.
  function markDeleted(id, words) {
    const element = deletedTemplate.content.firstElementChild.cloneNode(true);
    element.querySelector(".deleted-words").textContent = words;
    const card = cards.get(id);
    deleted.set(id, { element, place: card ? [...list.children].indexOf(card.element) : -1 });
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
          place(piece, text, format);
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
      item.followNewDay();
    }
  }

  return { draw, card, markDeleted, forgetDeleted, followToday, followNewDay, fillPrintTable };
}
