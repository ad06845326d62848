// Keeps the page's files, so that after one visit the page starts from them,
// network or not. Each build's files are kept under the build's own name,
// written into this file when the page is built: a new build is a new
// worker, which the browser finds when the page is next opened. It keeps the
// new files, drops the old and takes over, and the page reloads once onto
// them (offline.js), so no visit after that sees an old build.
'use strict';

const CACHE = 'tarnvale-@BUILD@';
// The page's files but the page itself carry the build in their addresses.
// A browser that cannot unpack loads the files as they are (load.js), and
// registers this worker as sw.js?plain to keep those.
const plain = new URL(self.location.href).searchParams.has('plain');
const FILES = ['./', ...@FILES@.map((f) => (plain ? f.replace(/\.gz$/, '') : f) + '?v=@BUILD@')];

// The first worker starts once the page has fetched all its files, and
// takes them from the browser's cache: each file crosses the network once.
// A later build's worker fetches the page itself anew, since the browser's
// cache may hold the build before; its other files, named by the build,
// cannot be an older build's.
self.addEventListener('install', (e) => {
  const first = !self.registration.active;
  const requests = FILES.map((f) => new Request(f, { cache: f === './' && !first ? 'reload' : 'force-cache' }));
  e.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('tarnvale-') && n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

// The kept copy first; the network for anything not kept. What the page
// fetches only when asked (the frame inspector's files) is kept once it has
// come, so that it too opens without the network afterwards. The page is
// the same page whether it is opened as ./ or as ./index.html.
self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  const page = e.request.mode === 'navigate' && /\/(index\.html)?$/.test(new URL(e.request.url).pathname);
  e.respondWith(caches.open(CACHE).then((cache) => cache.match(page ? './' : e.request, { ignoreSearch: true }).then((kept) => {
    if (kept) return kept;
    return fetch(e.request).then((response) => {
      if (response.ok && new URL(e.request.url).pathname.includes('/inspect/')) cache.put(e.request, response.clone());
      return response;
    });
  })));
});
