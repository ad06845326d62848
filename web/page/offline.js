// After one visit the page starts without the network: the service worker
// (sw.js) keeps its files. When a new build's worker takes over a page that
// an older one served, the page reloads once onto the new build.
'use strict';

if ('serviceWorker' in navigator) {
  const servedByOlder = navigator.serviceWorker.controller !== null;
  let reloaded = false;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (servedByOlder && !reloaded) {
      reloaded = true;
      location.reload();
    }
  });
  // Once the page has all its files, so that the worker keeps them from the
  // browser's cache rather than fetching them a second time.
  // A browser that cannot unpack has the worker keep the files as they are.
  const worker = 'DecompressionStream' in window ? 'sw.js' : 'sw.js?plain';
  Module.loaded.then(() => navigator.serviceWorker.register(worker)).catch(() => {});
}
