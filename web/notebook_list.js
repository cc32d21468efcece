// The notebook on the page, drawn from the list the core keeps: the morning's
// summary above the calculator, a card a clutch in the morning's order with
// the hatched ones folded after the others, and a checkbox a clutch for the
// round. Each card is a component of its own (clutch_card.js), kept from one
// drawing to the next; a drawing fetches and shows only the clutches whose
// texts changed, and moves only the cards whose places changed. The first
// drawing of a large notebook goes a part at a time, the first screen first.
import { CARD_ID_PREFIX, createClutchCard, followToday } from "./clutch_card.js";
import { place } from "./page_text.js";

// How many of the coming clutches the morning's summary names, and how many
// at most of those due today or late: the rest are counted.
const NEXT_NAMED = 2;
const DUE_NAMED = 3;
// Cards drawn in one task while the notebook is first drawn.
const CARDS_AT_ONCE = 150;
// Groups whose clutches are not yet hatched, and so take a day's reading.
const ROUND_GROUPS = ["late", "today", "ahead", "stopped"];

// Lets the browser draw and take input before the next part.
function nextTask() {
  return new Promise((resolve) => setTimeout(resolve, 0));
}

// `environment` as a card takes it (clutch_card.js), with `records` the
// records' module.
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

  // The cards by key, each clutch's view and record, and the version of the
  // view each card shows.
  const cards = new Map();
  const views = new Map();
  const shownVersions = new Map();
  let stored = new Map();
  // The keys in the order last drawn.
  let order = [];
  // Where deleted cards stood, until the page is left: { element, place, list } by key.
  const deleted = new Map();
  let firstDrawn = false;

  // Puts the records (`entries`, [{ key, record }]) into the core's list;
  // gives those whose stored record the door mended.
  function put(entries) {
    return records.listPut(entries, environment.today());
  }

  function remove(keys) {
    records.listRemove(keys);
  }

  // The views of the keys whose version changed, fetched from the core.
  function fetchViews(listed) {
    const wanted = listed.filter((item) => shownVersions.get(item.key) !== item.version &&
      views.get(item.key)?.version !== item.version);
    if (wanted.length > 0) {
      records.listViews(wanted.map((item) => item.key)).forEach((view, index) => {
        views.set(wanted[index].key, { ...view, version: wanted[index].version });
      });
    }
  }

  // The card of a listed clutch, shown as its view and record now stand.
  function cardOf(item) {
    let card = cards.get(item.key);
    const view = views.get(item.key);
    if (!card) {
      card = createClutchCard(item.key, environment);
      cards.set(item.key, card);
    }
    if (shownVersions.get(item.key) !== item.version || card.record !== stored.get(item.key)) {
      card.show(view, stored.get(item.key));
      shownVersions.set(item.key, item.version);
    }
    return card;
  }

  // The morning's summary: what hatches today, what is past its date, and
  // the next ones, each name a link to its card; nothing when there is
  // nothing to say.
  let todayDrawn = "";
  function drawToday(listed) {
    const named = (group, most) => {
      const clutches = listed.filter((item) => item.group === group);
      return [clutches.slice(0, most).map((item) => views.get(item.key)),
        Math.max(clutches.length - most, 0)];
    };
    const lines = [
      [message("today_hatching"), ...named("today", DUE_NAMED)],
      [message("today_late"), ...named("late", DUE_NAMED)],
      [message("today_next"), named("ahead", NEXT_NAMED)[0], 0],
    ].filter(([, clutches]) => clutches.length > 0);
    const drawn = JSON.stringify(lines.map(([words, clutches, more]) =>
      [words, more, ...clutches.map((view) => [view.key, view.name, view.due])]));
    if (drawn === todayDrawn) {
      return;
    }
    todayDrawn = drawn;
    today.replaceChildren(...lines.map(([words, clutches, more]) => {
      const line = document.createElement("p");
      line.append(words);
      clutches.forEach((view, index) => {
        const link = document.createElement("a");
        const card = cards.get(view.key);
        link.href = `#${card ? card.element.id : CARD_ID_PREFIX}`;
        link.textContent = view.name;
        line.append(index > 0 ? message("list_separator") : "", link, view.due);
      });
      if (more > 0) {
        line.append(message("more_not_named", { count: String(more) }));
      }
      return line;
    }));
    today.hidden = lines.length === 0;
  }

  // A checkbox for each unhatched clutch, in the list's order: a box already
  // there keeps its tick and only moves, a new one is ticked as `ticked(id)`
  // says.
  const roundBoxes = new Map();
  function drawRound(listed, ticked) {
    const labels = [];
    const ids = new Set();
    for (const item of listed) {
      if (!ROUND_GROUPS.includes(item.group)) {
        continue;
      }
      const id = stored.get(item.key).id;
      const name = views.get(item.key).name;
      let label = roundBoxes.get(id);
      if (!label) {
        label = document.createElement("label");
        const box = document.createElement("input");
        box.type = "checkbox";
        box.name = "round-clutch";
        box.value = id;
        box.checked = ticked(id);
        label.append(box, name);
        roundBoxes.set(id, label);
      } else if (label.lastChild.textContent !== name) {
        label.lastChild.textContent = name;
      }
      ids.add(id);
      labels.push(label);
    }
    for (const id of [...roundBoxes.keys()]) {
      if (!ids.has(id)) {
        roundBoxes.delete(id);
      }
    }
    arrange(roundClutches, labels);
    round.hidden = labels.length === 0;
  }

  // A list's children as `items`, moving only the ones out of place.
  function arrange(parent, items) {
    let child = parent.firstElementChild;
    for (const item of items) {
      if (item === child) {
        child = child.nextElementSibling;
      } else {
        parent.insertBefore(item, child);
      }
    }
    while (child) {
      const next = child.nextElementSibling;
      child.remove();
      child = next;
    }
  }

  // Where each card goes: a card in `pinned` (changed by the person and
  // still open) keeps its place among the others and stays out of the
  // hatched ones; a deleted card's place shows it was deleted, in the list it
  // stood in.
  function places(listed, pinned) {
    const shown = [];
    const folded = [];
    const kept = [];
    for (const item of listed) {
      const card = cards.get(item.key);
      if (pinned.has(item.key) && order.includes(item.key)) {
        kept.push(item.key);
      } else if (item.group === "hatched") {
        folded.push(card.element);
      } else {
        shown.push(card.element);
      }
    }
    for (const key of kept.sort((a, b) => order.indexOf(a) - order.indexOf(b))) {
      const card = cards.get(key);
      const target = card.element.parentElement === hatchedList ? folded : shown;
      target.splice(Math.min(order.indexOf(key), target.length), 0, card.element);
    }
    for (const { element, place: at, from } of deleted.values()) {
      const target = from === hatchedList ? folded : shown;
      target.splice(Math.min(Math.max(at, 0), target.length), 0, element);
    }
    return { shown, folded };
  }

  // Sets an element's text, or places a text of the core's, only when it changed.
  const drawnTexts = new WeakMap();
  function drawText(element, text, marked = false) {
    if (drawnTexts.get(element) === text) {
      return;
    }
    drawnTexts.set(element, text);
    if (marked) {
      place(element, text, format);
    } else {
      element.textContent = text;
    }
  }

  function drawFrame(listed, header, pinned, ticked) {
    drawText(lesson, header.lesson);
    drawText(lastBackup, header.backup, true);
    drawToday(listed);
    drawRound(listed, ticked);
    const { shown, folded } = places(listed, pinned);
    arrange(list, shown);
    arrange(hatchedList, folded);
    hatched.hidden = folded.length === 0;
    drawText(hatchedSummary, message("hatched_count", { count: String(folded.length) }));
    empty.hidden = listed.length > 0;
    section.classList.toggle("has-clutches", listed.length > 0);
    order = listed.map((item) => item.key);
  }

  // Draws the list as the core orders it on `environment.today()`, from
  // `storedRecords` (the records by key); `pinned` and `ticked` as above.
  // The first drawing settles once every card is drawn, the first screen
  // (marked "eggperiod-notebook-first") first.
  async function draw(storedRecords, pinned, ticked) {
    stored = storedRecords;
    const header = records.listOrder(environment.today(), environment.lastBackup());
    const listed = header.order;
    for (const key of [...cards.keys()]) {
      if (!stored.has(key)) {
        cards.delete(key);
        views.delete(key);
        shownVersions.delete(key);
      }
    }
    if (firstDrawn) {
      fetchViews(listed);
      listed.forEach(cardOf);
      drawFrame(listed, header, pinned, ticked);
      return;
    }
    firstDrawn = true;
    for (let start = 0; start < listed.length; start += CARDS_AT_ONCE) {
      const part = listed.slice(start, start + CARDS_AT_ONCE);
      fetchViews(part);
      list.append(...part.map((item) => cardOf(item).element));
      if (start === 0) {
        drawToday(part);
        performance.mark("eggperiod-notebook-first");
      }
      await nextTask();
    }
    fetchViews(listed);
    listed.forEach(cardOf);
    drawFrame(listed, header, pinned, ticked);
  }

  function card(key) {
    return cards.get(key);
  }

  function view(key) {
    return views.get(key);
  }

  // Marks where a deleted clutch's card stood, with words and its undo
  // button, until the page is left or the undo is pressed.
  function markDeleted(key, words) {
    const element = deletedTemplate.content.firstElementChild.cloneNode(true);
    element.querySelector(".deleted-words").textContent = words;
    const before = cards.get(key);
    const from = before ? before.element.parentElement : list;
    deleted.set(key, { element, from,
      place: before ? [...from.children].indexOf(before.element) : -1 });
    return element;
  }

  function forgetDeleted(key) {
    const mark = deleted.get(key);
    deleted.delete(key);
    if (mark) {
      mark.element.remove();
    }
  }

  // The table the notebook prints as: a row a clutch, in the list's order.
  function fillPrintTable() {
    const cells = (clutch) => [
      [clutch.name], [clutch.laid], [clutch.temperature],
      [clutch.hatch, clutch.range ? " " : "", clutch.range], [clutch.state],
      [clutch.development], [clutch.log, clutch.season ? " " : "", clutch.season],
    ];
    printTable.replaceChildren(...order.map((key) => {
      const row = document.createElement("tr");
      for (const texts of cells(views.get(key))) {
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

  return {
    put, remove, draw, card, view, markDeleted, forgetDeleted, followToday, followNewDay,
    fillPrintTable,
  };
}
