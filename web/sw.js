// The calculator's service worker: keeps every file of the site in one cache,
// answers from it first, so the page opens without a network, puts back any
// file missing from the cache whenever the site is opened online, and removes
// the caches of the site's earlier versions once this version takes over.
"use strict";

// The build fills in the version with the files' hash, the files, and the
// page shown offline when a file is missing.
const CACHE_PREFIX = `eggperiod ${self.registration.scope} `;
const CACHE = `${CACHE_PREFIX}{{cache_version}}`;
const FILES = {{files}};
const OFFLINE_PAGE = {{offline_page}};

// Past any HTTP cache, so a new version never caches an old file.
function fresh(file) {
  return new Request(file, { cache: "reload" });
}

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map(fresh)))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(CACHE_PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// Fetches each file missing from the cache and puts it back; offline, the
// cache stays as it is.
async function mend() {
  const cache = await caches.open(CACHE);
  await Promise.all(FILES.map(async (file) => {
    if (!(await cache.match(file))) {
      await cache.add(fresh(file)).catch(() => {});
    }
  }));
}

async function answer(event) {
  const cache = await caches.open(CACHE);
  const cached = await cache.match(event.request, { ignoreSearch: true });
  if (cached) {
    return cached;
  }
  try {
    return await fetch(event.request);
  } catch (error) {
    if (event.request.mode !== "navigate") {
      throw error;
    }
    return new Response(OFFLINE_PAGE, {
      status: 503,
      headers: { "Content-Type": "text/html; charset=utf-8" },
    });
  }
}

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") {
    return;
  }
  event.respondWith(answer(event));
  // Opening the site is the moment to mend its cache.
  if (event.request.mode === "navigate") {
    event.waitUntil(mend());
  }
});
