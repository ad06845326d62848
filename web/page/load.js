// Loads the program: its script and its module (and the textures, when the
// page was built with a set of its own), each fetched once and gzipped at
// build time, unpacked here by the browser's own
// DecompressionStream whatever the server sends. The bar over the canvas
// shows the share of their bytes that has come. Only when every file has
// come whole does the program start; a file that does not come, or comes
// damaged, leaves one line saying which part, and a button to try again.
'use strict';

Module.loaded = (function () {
  const root = document.documentElement;
  const build = root.dataset.build;
  // name: [bytes over the network, bytes unpacked, the part it belongs to]
  const FILES = JSON.parse(root.dataset.files);
  const loading = document.getElementById('loading');
  const bar = loading.querySelector('.bar'), label = loading.querySelector('.label');
  // A browser without DecompressionStream (before 2023) takes the files as
  // they are, unpacked at build time beside the gzipped ones.
  const unpacking = 'DecompressionStream' in window;
  const total = Object.values(FILES).reduce((sum, [packed, unpacked]) => sum + (unpacking ? packed : unpacked), 0);
  let received = 0, shown = -1;

  function progress(bytes) {
    if (loading.classList.contains('failed')) return;
    received += bytes;
    Module.loadedBytes = received;
    const percent = Math.min(100, Math.floor(100 * received / total));
    if (percent === shown) return;
    shown = percent;
    loading.setAttribute('aria-valuenow', String(percent));
    bar.style.width = percent + '%';
    label.textContent = 'Loading the house... ' + percent + '%';
  }
  progress(0);

  class Failure extends Error {}
  function fail(part) {
    if (loading.classList.contains('failed')) return;
    loading.classList.add('failed');
    loading.removeAttribute('aria-valuenow');
    label.textContent = part + ' could not be loaded.';
    document.getElementById('retry').hidden = false;
  }
  document.getElementById('retry').addEventListener('click', () => location.reload());
  // A file that arrives but cannot run, or a module that cannot start.
  Module.onAbort = () => fail('The program');

  // One file: its bytes counted as they come, then unpacked and checked.
  async function fetchFile(name) {
    const [packedBytes, unpacked, part] = FILES[name];
    const bytes = unpacking ? packedBytes : unpacked;
    if (!unpacking) name = name.replace(/\.gz$/, '');
    try {
      const response = await fetch(name + '?v=' + build);
      if (!response.ok) throw new Failure();
      const reader = response.body.getReader(), chunks = [];
      let length = 0;
      for (;;) {
        const { done, value } = await reader.read();
        if (done) break;
        chunks.push(value);
        length += value.length;
        progress(value.length);
      }
      // A server that sends a .gz file as gzip-encoded has the browser unpack it.
      const unpackedOnTheWay = name.endsWith('.gz') && length === unpacked && response.headers.get('Content-Encoding');
      if (length !== bytes && !unpackedOnTheWay) throw new Failure();
      const stream = new Blob(chunks).stream();
      const packed = name.endsWith('.gz') && !unpackedOnTheWay;
      const data = await new Response(packed ? stream.pipeThrough(new DecompressionStream('gzip')) : stream).arrayBuffer();
      if (data.byteLength !== unpacked) throw new Failure();
      return data;
    } catch (e) {
      fail(part);
      throw e;
    }
  }

  function run(code) {
    const script = document.createElement('script');
    script.textContent = code;
    document.body.append(script);
  }

  // The textures come packed only with a set of one's own; otherwise the
  // program's module makes them, before the program starts.
  const names = Object.keys(FILES);
  return Promise.all(names.map(fetchFile)).then((files) => {
    const file = (name) => files[names.indexOf(name)];
    const text = new TextDecoder();
    Module.wasmBinary = file('tarnvale.wasm.gz');
    if (FILES['textures.js']) {
      Module.getPreloadedPackage = () => file('textures.data.gz');
      run(text.decode(file('textures.js')));
    } else {
      Module.onRuntimeInitialized = () => {
        const start = performance.now();
        Module._tarnvaleMakeTextures();
        Module.texturesMadeIn = performance.now() - start;
      };
    }
    run(text.decode(file('tarnvale.js.gz')));
  });
})();
Module.loaded.catch(() => {});
