// Keeps the page's files, so that after one visit the page starts from them,
// network or not. Each build's files are kept under the build's own name,
// written into this file when the page is built: a new build is a new
// worker, which the browser finds when the page is next opened. It keeps the
// new files, drops the old and takes over, and the page reloads once onto
// them (offline.js), so no visit after that sees an old build.
'use strict';

const CACHE = 'tarnvale-@BUILD@';
const FILES = ['./', 'index.html', 'page.js', 'menu.js', 'screen.js', 'touch.js', 'offline.js', 'textures.js', 'tarnvale.js',
               'tarnvale.wasm', 'textures.data', 'manifest.webmanifest', 'icon.svg'];

// Straight from the server: the browser's HTTP cache may still hold the
// files of the build before.
self.addEventListener('install', (e) => {
  const fresh = FILES.map((f) => new Request(f, { cache: 'reload' }));
  e.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('tarnvale-') && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The kept copy first; the network for anything not kept. What the page
// fetches only when asked (the frame inspector's files) is kept once it has
// come, so that it too opens without the network afterwards.
self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  e.respondWith(caches.open(CACHE).then((cache) => cache.match(e.request, { ignoreSearch: true }).then((kept) => {
    if (kept) return kept;
    return fetch(e.request).then((response) => {
      if (response.ok && new URL(e.request.url).pathname.includes('/inspect/')) cache.put(e.request, response.clone());
      return response;
    });
  })));
});
