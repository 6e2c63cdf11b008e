// Keeps the page's files for use offline: every request goes to the server first, and the
// copy kept from its last answer serves when there is no network.
'use strict';

const CACHE = 'mezura';
const FILES = ['./', 'index.html', 'style.css', 'app.js', 'mezura.js', 'mezura.wasm', 'help/topics.js'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request)
    .then((response) => {
      if (response.ok) {
        const copy = response.clone();
        event.waitUntil(caches.open(CACHE).then((cache) => cache.put(event.request, copy)));
      }
      return response;
    })
    .catch(() => caches.match(event.request, { ignoreSearch: true })
      .then((kept) => kept || Response.error())));
});
