// After one visit the page starts without the network: the service worker
// (sw.js) keeps its files.
'use strict';

if ('serviceWorker' in navigator)
  window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(() => {}));
