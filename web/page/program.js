// A classic GLUT program's own page: the Module object through which
// emscripten runs it, its output under its window, and how its end shows.
// The window is the canvas, at the size the program asks for.
'use strict';

const output = document.getElementById('output');
window.addEventListener('error', (e) => { if (e.error && e.error.name === 'ExitStatus') e.preventDefault(); });
document.getElementById('again').addEventListener('click', () => location.reload());

var Module = {
  canvas: document.getElementById('canvas'),
  thisProgram: document.title,  // argv[0]: the first source's name
  print: (text) => { console.log(text); output.textContent += text + '\n'; },
  printErr: (text) => { console.error(text); output.textContent += text + '\n'; },
  ended: (status) => {
    Module.hideMenu();
    document.getElementById('ended').style.display = 'block';
    document.body.dataset.ended = String(status);
  },
  lost: (why) => Module.print(why),
  started: () => Module.calledRun === true && document.body.dataset.ended === undefined,
  running: () => Module.started() && !Module._tarnvalePaused(),
};

// The program travels gzipped (zopfli, at build time): each file fetched,
// unpacked by the browser's DecompressionStream unless the server has
// already unpacked it on the way, and run; a browser without one takes the
// files as they are, which stay beside.
(function load() {
  const root = document.documentElement, name = root.dataset.program, build = '?v=' + root.dataset.build;
  const unpacking = 'DecompressionStream' in window;
  const get = (file) => fetch(file + (unpacking ? '.gz' : '') + build).then(async (response) => {
    if (!response.ok) throw new Error(file + ' could not be loaded.');
    const bytes = new Uint8Array(await response.arrayBuffer());
    if (bytes[0] !== 0x1f || bytes[1] !== 0x8b) return bytes.buffer;  // not gzip: as it is
    return new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
  });
  Promise.all([get(name + '.wasm'), get(name + '.js')]).then(([wasm, code]) => {
    Module.wasmBinary = wasm;
    const script = document.createElement('script');
    script.textContent = new TextDecoder().decode(code);
    document.body.append(script);
  }, (e) => Module.print(e.message));
})();
