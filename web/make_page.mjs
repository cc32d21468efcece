// Writes the calculator's page in its two forms, each holding its style, its
// scripts and the calculation core's WebAssembly:
//  - the one-file page for desktops, which works from disk, with its SHA-256
//    beside it in sha256sum's format;
//  - the site for a static https host: index.html (the same page, with the
//    manifest and the service worker that keeps it offline), the manual as a
//    page of its own (manual.html, from the manual's text), the web app
//    manifest, the service worker and the icons, which the build has already
//    put into the site's folder.
// The page's texts are asked of the core, which holds the window's texts, so
// both front ends show the same words.
//
//   node make_page.mjs NAME=PATH ... (see `inputs` below)
import { createHash } from "node:crypto";
import { readFileSync, writeFileSync } from "node:fs";
import { basename, join, resolve } from "node:path";
import zopfli from "@gfx/zopfli";
import * as esbuild from "esbuild";
import { createEggPeriodCore } from "./core_loader.js";

const inputs = Object.fromEntries(process.argv.slice(2).map((argument) => {
  const [name, ...value] = argument.split("=");
  return [name, value.join("=")];
}));
for (const name of ["template", "style", "early_script", "script", "core_texts",
  "service_worker", "manual", "site_files", "core_wasm", "texts_wasm", "tab_icon", "version",
  "page", "site"]) {
  if (!inputs[name]) {
    throw new Error(`make_page.mjs: ${name}=... is missing`);
  }
}

// The site's files (site_files.json), as the manifest and the service worker
// name them.
const siteFiles = JSON.parse(readFileSync(inputs.site_files, "utf8"));
const { index: INDEX, manual: MANUAL, manifest: MANIFEST, serviceWorker: SERVICE_WORKER } =
  siteFiles;
const SITE_ICONS = siteFiles.icons.filter((icon) => icon.use === "manifest").map((icon) => ({
  src: icon.file, sizes: `${icon.size}x${icon.size}`, purpose: icon.purpose }));
const APPLE_TOUCH_ICON = siteFiles.icons.find((icon) => icon.use === "apple-touch-icon").file;
// Enough of the files' hash to tell two versions' caches apart.
const CACHE_HASH_LENGTH = 16;

// The page carries the core; the page's texts come from the texts' module.
// The core's WebAssembly as the page carries it: deflated (zlib's format) as
// tightly as zopfli can in a few blocks, since the page builds each block's
// tables as it inflates (inflate.js), and in base64.
const ZOPFLI = { numiterations: 15, blocksplittingmax: 4 };
const coreWasm = readFileSync(inputs.core_wasm);
const coreDeflated = Buffer.from(await zopfli.zlibAsync(coreWasm, ZOPFLI)).toString("base64");
const core = await createEggPeriodCore({ wasmBinary: readFileSync(inputs.texts_wasm) });

function pageText(name) {
  const pointer = core.ccall("PageText", "number", ["string"], [name]);
  if (pointer === 0) {
    throw new Error(`${inputs.template}: the core has no text named "${name}"`);
  }
  return core.UTF8ToString(pointer);
}

function escapeHtml(text) {
  return text.replace(/[&<>"']/g, (c) => `&#${c.charCodeAt(0)};`);
}

// The page's script takes the core's marks, separators and layouts, and the
// messages it shows: the build writes them into the module core_texts.js.
const pageFormat = core.UTF8ToString(core.ccall("PageFormat", "number", [], []));
const messages = core.UTF8ToString(core.ccall("Messages", "number", [], []));
const coreTexts = {
  name: "core-texts",
  setup(build) {
    build.onLoad({ filter: /\.js$/ }, function (arguments_) {
      if (resolve(arguments_.path) !== resolve(inputs.core_texts)) {
        return undefined;
      }
      return { contents: `export const FORMAT = ${pageFormat};\n` +
        `export const MESSAGES = ${messages};\n`, loader: "js" };
    });
  },
};

// A script as the page carries it: its modules bundled from `entry` into one
// script, minified (esbuild), without comments, its Japanese kept as it is.
async function bundled(entry) {
  const result = await esbuild.build({
    entryPoints: [entry], bundle: true, format: "iife", target: "es2020", minify: true,
    legalComments: "none", charset: "utf8", write: false, plugins: [coreTexts],
  });
  return result.outputFiles[0].text.trimEnd();
}

// Inline code may not end its own element early.
function inlined(code, element) {
  if (code.toLowerCase().includes(`</${element}`)) {
    throw new Error(`the inlined ${element} holds "</${element}"`);
  }
  return code;
}

function sha256(data, encoding) {
  return createHash("sha256").update(data).digest(encoding);
}

// A custom property of the page's style, such as its background colour.
function styleColour(style, property) {
  const match = new RegExp(`--${property}:\\s*(#[0-9a-fA-F]{6})`).exec(style);
  if (!match) {
    throw new Error(`${inputs.style}: no --${property} colour`);
  }
  return match[1];
}

// The style as the page carries it: minified (esbuild), its colours read from
// it as written.
const writtenStyle = readFileSync(inputs.style, "utf8");
const style = inlined((await esbuild.transform(writtenStyle, {
  loader: "css", minify: true, charset: "utf8",
})).code.trimEnd(), "style");
// The head's script compiles the core while the page is read; the body's
// script is the calculator and the notebook.
const earlyScript = inlined(await bundled(inputs.early_script), "script");
const script = inlined(await bundled(inputs.script), "script");
const themeColour = styleColour(writtenStyle, "action");
const backgroundColour = styleColour(writtenStyle, "background");

// Only the inlined scripts, the WebAssembly and the inlined style run, and
// nothing is loaded but what `sources` opens (the icons, for the site its
// manifest and service worker).
function contentSecurityPolicy(sources) {
  return [
    "default-src 'none'",
    `script-src ${[earlyScript, script].map((code) =>
      `'sha256-${sha256(code, "base64")}'`).join(" ")} ` +
      "'wasm-unsafe-eval'",
    `style-src 'sha256-${sha256(style, "base64")}'`,
    ...sources,
    "base-uri 'none'",
    "form-action 'none'",
  ].join("; ");
}

function page(csp, headLinks, manual) {
  const parts = {
    csp,
    head_links: headLinks,
    manual: escapeHtml(manual),
    theme_colour: themeColour,
    version: escapeHtml(inputs.version),
    home_page: escapeHtml(pageText("home_page")),
    style,
    early_script: earlyScript,
    script,
    core_wasm: coreDeflated,
    core_wasm_size: String(coreWasm.length),
    input_length: String(core.ccall("InputTextLength", "number", [], [])),
  };
  return readFileSync(inputs.template, "utf8").replace(/\{\{(text:)?(\w+)\}\}/g,
    (placeholder, isText, name) => {
      if (isText) {
        return escapeHtml(pageText(name));
      }
      if (!(name in parts)) {
        throw new Error(`${inputs.template}: unknown placeholder ${placeholder}`);
      }
      return parts[name];
    });
}

// A small page of the site's own, with the page's style and the site's icon,
// and no script.
function plainPage(title, body) {
  const csp = ["default-src 'none'", `style-src 'sha256-${sha256(style, "base64")}'`,
    "img-src 'self'", "base-uri 'none'", "form-action 'none'"].join("; ");
  return ["<!DOCTYPE html>", '<html lang="ja">', "<head>", '<meta charset="utf-8">',
    `<meta http-equiv="Content-Security-Policy" content="${csp}">`,
    '<meta name="viewport" content="width=device-width, initial-scale=1">',
    `<link rel="icon" href="${SITE_ICONS[0].src}" sizes="${SITE_ICONS[0].sizes}">`,
    `<title>${escapeHtml(title)}</title>`, `<style>${style}</style>`, "</head>",
    `<body>\n<main>\n${body}</main>\n</body>`, "</html>", ""].join("\n");
}

// Lines of one paragraph or list item joined: a line that ends a sentence
// keeps its break, other lines run on (with a space between two ASCII words).
function joinedLines(lines) {
  return lines.map(escapeHtml).reduce((text, line) => {
    if (/[。：]$/.test(text)) {
      return `${text}<br>${line}`;
    }
    return /[!-~]$/.test(text) && /^[!-~]/.test(line) ? `${text} ${line}` : text + line;
  });
}

// The manual's text as HTML: its title, its ■ sections and 【】 subsections,
// paragraphs, "・" and "1." lists, and indented or column-aligned lines
// (commands, messages, the quick table) as they stand.
function manualBody(text) {
  const html = [];
  let block = null;  // { tag, items: [[line, ...], ...] }, or { tag: "pre", lines }
  const flush = () => {
    if (block?.tag === "pre") {
      // The lines keep their columns; only the indentation they share goes.
      const shared = Math.min(...block.lines.map((line) => /^ */.exec(line)[0].length));
      const lines = block.lines.map((line) => line.slice(shared));
      html.push(`<pre>${escapeHtml(lines.join("\n"))}</pre>`);
    } else if (block?.tag === "p") {
      html.push(`<p>${joinedLines(block.items[0])}</p>`);
    } else if (block) {
      const items = block.items.map((item) => `<li>${joinedLines(item)}</li>`).join("\n");
      html.push(`<${block.tag}>\n${items}\n</${block.tag}>`);
    }
    block = null;
  };
  const start = (tag, line) => {
    if (block?.tag !== tag) {
      flush();
      block = { tag, items: [] };
    }
    block.items.push([line]);
  };
  text.replace(/^\uFEFF/, "").split(/\r?\n/).forEach((line, index) => {
    let match;
    if (index === 0) {
      html.push(`<h1>${escapeHtml(line)}</h1>`);
    } else if (line.trim() === "" || /^=+$/.test(line)) {
      flush();
    } else if ((match = /^■ (.*)$/.exec(line))) {
      flush();
      html.push(`<h2>${escapeHtml(match[1])}</h2>`);
    } else if ((match = /^【(.*)】$/.exec(line))) {
      flush();
      html.push(`<h3>${escapeHtml(line)}</h3>`);
    } else if ((match = /^・(.*)$/.exec(line))) {
      start("ul", match[1]);
    } else if ((match = /^\d+\. (.*)$/.exec(line))) {
      start("ol", match[1]);
    } else if (/^ /.test(line) && (block?.tag === "ul" || block?.tag === "ol")) {
      block.items.at(-1).push(line.trim());
    } else if (/^ {2}|\S {2,}\S/.test(line)) {
      if (block?.tag !== "pre") {
        flush();
        block = { tag: "pre", lines: [] };
      }
      block.lines.push(line);
    } else if (block?.tag === "p") {
      block.items[0].push(line);
    } else {
      flush();
      block = { tag: "p", items: [[line]] };
    }
  });
  flush();
  return html.join("\n");
}

function manualPage(text) {
  const back = `<p><a href="./">${escapeHtml(pageText("manual_back"))}</a></p>`;
  return plainPage(`${pageText("manual")} - ${pageText("app_name")}`,
    `${back}\n${manualBody(text)}\n${back}\n`);
}

// What the service worker shows when the site is opened offline and a file
// it keeps is missing.
function offlinePage() {
  return plainPage(pageText("offline_title"),
    `<h1>${escapeHtml(pageText("offline_title"))}</h1>\n<p>${escapeHtml(pageText("offline_text"))}</p>\n`);
}

// The one-file page: its tab's icon is inside it too.
const tabIcon = `data:image/png;base64,${readFileSync(inputs.tab_icon).toString("base64")}`;
const onePage = page(contentSecurityPolicy(["img-src data:"]),
  `<link rel="icon" href="${tabIcon}">`, `${pageText("home_page")}${MANUAL}`);
writeFileSync(inputs.page, onePage);
writeFileSync(`${inputs.page}.sha256`, `${sha256(onePage, "hex")}  ${basename(inputs.page)}\n`);

// The site: the page links its manifest, and its script registers the service
// worker when the page is served over http(s).
const siteIndex = page(
  contentSecurityPolicy(["img-src 'self'", "manifest-src 'self'", "worker-src 'self'"]),
  [`<link rel="manifest" href="${MANIFEST}">`,
    `<link rel="icon" href="${SITE_ICONS[0].src}" sizes="${SITE_ICONS[0].sizes}">`,
    `<link rel="apple-touch-icon" href="${APPLE_TOUCH_ICON}">`].join("\n"), MANUAL);
const manifest = `${JSON.stringify({
  name: pageText("app_name"),
  short_name: pageText("short_name"),
  lang: "ja",
  dir: "ltr",
  start_url: "./",
  scope: "./",
  display: "standalone",
  theme_color: themeColour,
  background_color: backgroundColour,
  icons: SITE_ICONS.map((icon) => ({ ...icon, type: "image/png" })),
}, null, 2)}\n`;
writeFileSync(join(inputs.site, INDEX), siteIndex);
writeFileSync(join(inputs.site, MANIFEST), manifest);
writeFileSync(join(inputs.site, MANUAL), manualPage(readFileSync(inputs.manual, "utf8")));

// The service worker keeps every file of the site under a cache named for the
// version and the files' hash, so that any change makes a new service worker.
const cachedFiles = [INDEX, MANUAL, MANIFEST, ...SITE_ICONS.map((icon) => icon.src),
  APPLE_TOUCH_ICON];
const filesHash = createHash("sha256");
for (const name of cachedFiles) {
  filesHash.update(name).update(readFileSync(join(inputs.site, name)));
}
const serviceWorker = readFileSync(inputs.service_worker, "utf8")
  .replace("{{cache_version}}", `${inputs.version}-${filesHash.digest("hex").slice(0, CACHE_HASH_LENGTH)}`)
  .replace("{{files}}", JSON.stringify(["./", ...cachedFiles]))
  .replace("{{offline_page}}", JSON.stringify(offlinePage()));
writeFileSync(join(inputs.site, SERVICE_WORKER), serviceWorker);
