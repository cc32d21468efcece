// Today on the device, and a page left open that moves to the new day by
// itself: listeners hear when the date has changed.

const NO_DATE = [0, 0, 0];
// Today is looked at again just after each midnight, and at least this often,
// since the device's clock may be set or the device may sleep.
const LONGEST_DAY_CHECK = 60 * 1000;
const AFTER_MIDNIGHT = 50;

// The device's local date as YYYY-MM-DD.
export function today() {
  const now = new Date();
  const twoDigits = (number) => {
    return String(number).padStart(2, "0");
  };
  return `${now.getFullYear()}-${twoDigits(now.getMonth() + 1)}-${twoDigits(now.getDate())}`;
}

// Year, month and day of a YYYY-MM-DD date, or zeros when there is none.
export function dateParts(isoDate) {
  const parts = /^(\d+)-(\d+)-(\d+)$/.exec(isoDate);
  return parts ? parts.slice(1).map(Number) : NO_DATE;
}

let known = today();
const listeners = [];

// Calls `listener` whenever the page has moved to a new day.
export function whenTodayChanges(listener) {
  listeners.push(listener);
}

// Tells the listeners if the date has changed since it was last looked at.
export function keepToday() {
  if (today() === known) {
    return;
  }
  known = today();
  for (const listener of listeners) {
    listener();
  }
}

// Looks at the date just after each midnight, and when the page is shown again.
export function watchToday() {
  const now = new Date();
  const midnight = new Date(now.getFullYear(), now.getMonth(), now.getDate() + 1);
  setTimeout(() => {
    keepToday();
    watchToday();
  }, Math.min(midnight - now + AFTER_MIDNIGHT, LONGEST_DAY_CHECK));
}

export function watchPageShown() {
  document.addEventListener("visibilitychange", () => {
    if (document.visibilityState === "visible") {
      keepToday();
    }
  });
  window.addEventListener("pageshow", keepToday);
  window.addEventListener("focus", keepToday);
}
