// The calculation core's format (the marks and separators of its texts and
// the layouts of its rows) and the messages the page shows, by name. The
// build writes them in from the core's texts module (make_page.mjs), so that
// the page's script knows them as the core states them; as they stand here,
// they are empty.
export const FORMAT = {};
export const MESSAGES = {};
