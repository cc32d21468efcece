// The core's texts placed on the page: a marked date becomes a <time>
// element whose pieces never break across lines.

// `text` in `element`, with each date the core marked (see its format) in a
// <time> element.
export function place(element, text, format) {
  element.replaceChildren();
  text.split(format.dateMark).forEach((part, index) => {
    if (index % 2 === 0) {
      element.append(part);
      return;
    }
    const [isoDate, words] = part.split(format.dateTextMark);
    const time = document.createElement("time");
    time.dateTime = isoDate;
    for (const piece of words.split(format.dateBreak)) {
      const unbroken = document.createElement("span");
      unbroken.className = "unbroken";
      unbroken.textContent = piece;
      time.append(unbroken);
    }
    element.append(time);
  });
}

// A block of `text` in `className`, or nothing for an empty text.
export function block(text, className) {
  if (!text) {
    return [];
  }
  const element = document.createElement("div");
  element.className = className;
  element.textContent = text;
  return [element];
}
