// The calculator's service worker: keeps every file of the site in one cache,
// answers from it first, so the page opens without a network, and removes the
// caches of the site's earlier versions once this version takes over.
"use strict";

// The build fills in the version with the files' hash, and the files.
const CACHE_PREFIX = `eggperiod ${self.registration.scope} `;
const CACHE = `${CACHE_PREFIX}{{cache_version}}`;
const FILES = {{files}};

self.addEventListener("install", (event) => {
  // Past any HTTP cache, so a new version never caches an old file.
  const requests = FILES.map((file) => new Request(file, { cache: "reload" }));
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(requests))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(CACHE_PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") {
    return;
  }
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
