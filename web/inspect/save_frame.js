// "Save the frame as C": the frame as run with its edits, every call but
// those of the steps left out with the chain of functions that made it,
// handed to the writer (frame_c.js, loaded when first asked for) and
// downloaded as one archive with the textures it reads.
'use strict';

window.InspectSave = (function () {
  const canvas = document.getElementById('canvas');

  function make({ steps, starting, edits, stepOfCall, readCall, current, heapInts, el, timings }) {
    // RGBA rows from the bottom as a 24-bit BMP file, rows from the bottom.
    function bmp(rgba, width, height) {
      const row = (width * 3 + 3) & ~3, out = new Uint8Array(54 + row * height), view = new DataView(out.buffer);
      out.set([0x42, 0x4D]);
      [[2, out.length], [10, 54], [14, 40], [18, width], [22, height], [34, row * height]].forEach(([at, v]) => view.setUint32(at, v, true));
      view.setUint16(26, 1, true);
      view.setUint16(28, 24, true);
      for (let y = 0; y < height; y++)
        for (let x = 0; x < width; x++)
          for (let c = 0; c < 3; c++) out[54 + y * row + x * 3 + c] = rgba[(y * width + x) * 4 + 2 - c];
      return out;
    }

    // The frame as run with its edits, as the page has it, for frame_c.js:
    // every call but those of steps left out, with the chain that made it.
    function frameForC() {
      const count = Module._inspectCallCount(), leftOut = new Set(edits().filter((e) => e.leftOut).map((e) => e.step));
      const calls = [], chains = [];
      const all = steps(), display = all.length ? [{ name: all[0].chain[0] ? all[0].chain[0].name : 'display' }] : [];
      const shape = _malloc(12), size = _malloc(4);
      let outUntil = 0;  // a step left out takes the calls made inside its own along: a glCallList's list
      for (let i = 0; i < count; i++) {
        const step = stepOfCall(i), s = steps()[step];
        // What is made again of the frame: the calls made inside others in
        // their place, with the data they were made with.
        Module._inspectCallShape(i, shape);
        const [end, made, direct] = heapInts(shape, 3);
        if (s && i >= s.first && i <= s.last && leftOut.has(step)) outUntil = Math.max(outUntil, end);
        if (i < outUntil || end !== i + 1 || !made) continue;
        const call = readCall(i);
        if (direct) {
          const at = Module._inspectCallData(i, size);
          call.data = HEAPU8.slice(at, at + HEAP32[size >> 2]);
        }
        calls.push(call);
        chains.push(s && i >= s.first && i <= s.last ? s.chain : display);
      }
      _free(shape);
      _free(size);
      const start = starting().map((c, i) => ({ ...current(true, i), chain: c.chain }));
      const names = new Set([...start, ...calls].filter((c) => c.name === 'glBindTexture').map((c) => c.args[1]));
      const params = _malloc(16), sizes = _malloc(8);
      const textures = [...names].sort((a, b) => a - b).map((name) => {
        Module._inspectTextureParams(name, params);
        const [min, mag, s, t] = heapInts(params, 4);
        let file = Module.textureFiles[name], bytes = null;
        if (!file) {  // an image the program made in memory: a file of its own
          const at = Module._inspectTexture(name, sizes), [width, height] = heapInts(sizes, 2);
          if (!at || !width) return null;
          file = 'texture' + name + '.bmp';
          bytes = bmp(HEAPU8.subarray(at, at + width * height * 4), width, height);
        }
        return { name, file, bytes, mipmapped: min !== 0x2600 && min !== 0x2601,
                 params: [[0x2801, min], [0x2800, mag], [0x2802, s], [0x2803, t]] };
      }).filter(Boolean);
      _free(sizes);
      _free(params);
      return { width: canvas.width, height: canvas.height, starting: start, calls, chains: (i) => chains[i], textures,
               edited: edits().length > 0, displayMode: Module._inspectDisplayMode() };
    }

    function loadScript(name) {
      return new Promise((resolve, reject) => document.head.append(Object.assign(document.createElement('script'), {
        src: 'inspect/' + name + '?v=' + document.documentElement.dataset.build, onload: resolve, onerror: reject })));
    }

    // frame.c, the Makefile and the texture files, downloaded as one archive.
    async function saveAsC() {
      const start = performance.now();
      try {
        if (!window.FrameAsC) await loadScript('frame_c.js');
      } catch (e) {
        Module.print('The frame could not be saved: its writer could not be loaded.');
        return;
      }
      const frame = frameForC();
      const { name, blob } = await FrameAsC.archive('tarnvale-frame', FrameAsC.files(frame, (file) => FS.readFile(file)));
      const link = el('a', { href: URL.createObjectURL(blob), download: name });
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
      timings.save = performance.now() - start;
      timings.saved = blob.size;
    }

    return { saveAsC, frameForC };
  }

  return { make };
})();
