// Keeps the site's files for use offline: the page, the core, the icons and the help. Every
// request goes to the server first, and the copy kept from its last answer serves when there
// is no network.
//
// A new version of the site replaces the kept one at the next visit: scripts/web.sh names the
// version after the bytes of all the files, so a changed site has a changed sw.js. The browser
// fetches sw.js at each visit past its HTTP cache; finding it changed, it installs the new
// worker, which keeps every file of the new version, takes over the open pages and drops the
// kept files of every other version (and those of the first, unversioned worker, 'mezura').
'use strict';

// scripts/web.sh writes the built site's version and files here.
const VERSION = 'unbuilt';
const FILES = ['./'];
const PREFIX = 'mezura-';
const CACHE = PREFIX + VERSION;

self.addEventListener('install', (event) => {
  // Past the HTTP cache: the files of this version, not what the browser kept of the last.
  const requests = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE && (key.startsWith(PREFIX) || key === 'mezura'))
      .map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(event.request)
    .then((response) => {
      // Kept in this version's files while they are the kept ones: a worker that a new
      // version replaced does not make its dropped files again.
      if (response.ok) {
        const copy = response.clone();
        event.waitUntil(caches.has(CACHE)
          .then((kept) => kept && caches.open(CACHE).then((cache) => cache.put(event.request, copy))));
      }
      return response;
    })
    .catch(() => caches.open(CACHE)
      .then((cache) => cache.match(event.request, { ignoreSearch: true }))
      .then((kept) => kept || Response.error())));
});
