// Keeps the page's files for use without the network. Every request goes to
// the network first, and a good answer replaces the kept copy, so a new build
// shows on the next visit; the kept copy answers when the network cannot.
// The build's name below changes with its files, so an old build's copies
// are dropped once this one is in place.
'use strict';

const CACHE = 'tarnvale-@BUILD@';
const FILES = ['./', 'index.html', 'page.js', 'menu.js', 'screen.js', 'touch.js', 'offline.js', 'textures.js', 'tarnvale.js',
               'tarnvale.wasm', 'textures.data', 'manifest.webmanifest', 'icon.svg'];

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('tarnvale-') && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  e.respondWith(fetch(e.request)
    .then((response) => {
      if (response.ok) {
        const copy = response.clone();
        caches.open(CACHE).then((cache) => cache.put(e.request, copy));
      }
      return response;
    })
    .catch(() => caches.match(e.request, { ignoreSearch: true }).then((kept) => kept || Response.error())));
});
