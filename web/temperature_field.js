// A temperature field: what a Japanese keyboard types, turned into what the
// calculator reads as the characters arrive, so that the field always shows
// the text that is read; and, where asked, undo and redo through the texts
// the field showed. The calculator's fields and the notebook's use it.

// Full-width ASCII forms (U+FF01 to U+FF5E) lie FULL_WIDTH_OFFSET above their
// half-width characters.
const FULL_WIDTH_FORMS = /[\uFF01-\uFF5E]/g;
const FULL_WIDTH_OFFSET = 0xfee0;
const IDEOGRAPHIC_FULL_STOP = /\u3002/g;
// The prolonged sound mark, full-width hyphen-minus, minus sign, hyphen and
// non-breaking hyphen.
const MINUS_SIGNS = /[\u30FC\uFF0D\u2212\u2010\u2011]/g;
// Invisible characters copied along from web pages and PDFs: zero-width
// space, soft hyphen, byte-order mark, direction marks, word joiner.
const FORMAT_CHARACTERS = /\p{Cf}/gu;
const LEADING_SPACES = /^[ \u3000]+/;
// Insertions that can be converted before the browser applies them. Others
// (an input method's text, a drop) are converted once they have arrived.
const CONVERTIBLE_INSERTIONS = ["insertText", "insertFromPaste", "insertReplacementText"];
export const HISTORY_STEPS = ["historyUndo", "historyRedo"];

function converted(text, atStart) {
  const result = text
    .replace(FORMAT_CHARACTERS, "")
    .replace(FULL_WIDTH_FORMS, (character) => {
      return String.fromCharCode(character.charCodeAt(0) - FULL_WIDTH_OFFSET);
    })
    .replace(IDEOGRAPHIC_FULL_STOP, ".")
    .replace(MINUS_SIGNS, "-");
  return atStart ? result.replace(LEADING_SPACES, "") : result;
}

// Inserts over the selection as typing does, as an edit of its own.
function insertAsTyped(field, text) {
  const done = text === ""
    ? field.selectionStart === field.selectionEnd || document.execCommand("delete")
    : document.execCommand("insertText", false, text);
  if (!done) {
    field.setRangeText(text, field.selectionStart, field.selectionEnd, "end");
  }
}

// Typed or pasted characters: the converted ones are inserted instead.
function convertArriving(event) {
  if (event.isComposing || !CONVERTIBLE_INSERTIONS.includes(event.inputType)) {
    return;
  }
  const field = event.target;
  const data = event.data !== null ? event.data
    : event.dataTransfer ? event.dataTransfer.getData("text/plain") : null;
  if (data === null) {
    return;
  }
  const text = converted(data, field.selectionStart === 0);
  if (text !== data) {
    event.preventDefault();
    insertAsTyped(field, text);
  }
}

// Characters that arrived some other way: the whole field is converted as
// one edit, and the caret stays after the same characters.
function convertField(field) {
  const text = field.value;
  const result = converted(text, true);
  if (result !== text) {
    const caret = converted(text.slice(0, field.selectionEnd), true).length;
    field.select();
    insertAsTyped(field, result);
    field.setSelectionRange(caret, caret);
  }
}

// The field keeps its own history of the texts it showed, one entry an edit,
// for undo and redo. The browser's history would also hold the text of an
// arrival before its conversion (an input method's 「２０」, a dropped text, a
// deletion that leaves a leading space), which the field never showed.
function selection(field) {
  return { value: field.value, start: field.selectionStart, end: field.selectionEnd };
}

function record(history, field) {
  const shown = selection(field);
  if (history.entries[history.index].value === shown.value) {
    history.entries[history.index] = shown;
    return;
  }
  history.entries.splice(history.index + 1, Infinity, shown);
  history.index += 1;
}

// Moves one entry back (-1) or forward (+1) in the field's history and shows
// it; at either end nothing changes.
function step(history, field, direction) {
  const index = history.index + direction;
  if (index < 0 || index >= history.entries.length) {
    return;
  }
  history.index = index;
  const { value, start, end } = history.entries[index];
  field.value = value;
  field.setSelectionRange(start, end);
  field.dispatchEvent(new InputEvent("input", {
    bubbles: true, inputType: direction < 0 ? "historyUndo" : "historyRedo",
  }));
}

// Ctrl+Z (Command+Z) undoes; Ctrl+Shift+Z and Ctrl+Y redo.
function historyKey(event) {
  if (!(event.ctrlKey || event.metaKey) || event.altKey) {
    return 0;
  }
  const key = event.key.toLowerCase();
  if (key === "z") {
    return event.shiftKey ? 1 : -1;
  }
  return key === "y" && !event.shiftKey ? 1 : 0;
}

function keepHistory(field, history) {
  field.addEventListener("keydown", (event) => {
    const direction = historyKey(event);
    if (direction !== 0 && !event.isComposing) {
      event.preventDefault();
      step(history, field, direction);
    }
  });
  // Undo and redo from a menu.
  field.addEventListener("beforeinput", (event) => {
    if (HISTORY_STEPS.includes(event.inputType)) {
      event.preventDefault();
      step(history, field, event.inputType === "historyUndo" ? -1 : 1);
    }
  });
}

// Converts what arrives in `field`; with `withHistory`, also keeps the field's
// own undo and redo.
export function convertTemperatureField(field, withHistory = false) {
  const history = withHistory ? { entries: [selection(field)], index: 0 } : null;
  field.addEventListener("beforeinput", convertArriving);
  field.addEventListener("compositionend", () => {
    convertField(field);
    if (history) {
      record(history, field);
    }
  });
  field.addEventListener("input", (event) => {
    if (!event.isComposing && !(history && HISTORY_STEPS.includes(event.inputType))) {
      convertField(field);
      if (history) {
        record(history, field);
      }
    }
  });
  if (history) {
    keepHistory(field, history);
  }
}
