// The frame inspector: the house held at one frame, opened up. The frame is
// recorded call by call at the GL layer's entry points (record.cpp) with the
// program's call stack at each step, read against the line table the build
// made (lines.json); the list of steps draws the frame up to any of them,
// the state panel shows what was in force there, and a pixel of the frozen
// frame lists every step that reached it. Loaded when first asked for.
'use strict';

window.Inspector = (function () {
  const canvas = document.getElementById('canvas');
  const root = document.documentElement;
  const FATES = ['seen', 'covered', 'hidden', 'culled'];

  // GL's names for the values the program passes, and which arguments of
  // each entry point are names, bit masks or one array.
  const ENUMS = {
    0x0000: 'GL_POINTS', 0x0001: 'GL_LINES', 0x0002: 'GL_LINE_LOOP', 0x0003: 'GL_LINE_STRIP',
    0x0004: 'GL_TRIANGLES', 0x0005: 'GL_TRIANGLE_STRIP', 0x0006: 'GL_TRIANGLE_FAN', 0x0007: 'GL_QUADS',
    0x0008: 'GL_QUAD_STRIP', 0x0009: 'GL_POLYGON', 0x0900: 'GL_CW', 0x0901: 'GL_CCW', 0x0B71: 'GL_DEPTH_TEST',
    0x0B50: 'GL_LIGHTING', 0x0DE1: 'GL_TEXTURE_2D', 0x0B44: 'GL_CULL_FACE', 0x4000: 'GL_LIGHT0',
    0x0BA1: 'GL_NORMALIZE', 0x0B57: 'GL_COLOR_MATERIAL', 0x1700: 'GL_MODELVIEW', 0x1701: 'GL_PROJECTION',
    0x2300: 'GL_TEXTURE_ENV', 0x2200: 'GL_TEXTURE_ENV_MODE', 0x1E01: 'GL_REPLACE', 0x2100: 'GL_MODULATE',
    0x2101: 'GL_DECAL', 0x0404: 'GL_FRONT', 0x0405: 'GL_BACK', 0x0408: 'GL_FRONT_AND_BACK',
    0x1602: 'GL_AMBIENT_AND_DIFFUSE', 0x1200: 'GL_AMBIENT', 0x1201: 'GL_DIFFUSE', 0x1202: 'GL_SPECULAR',
    0x1203: 'GL_POSITION', 0x1601: 'GL_SHININESS', 0x1600: 'GL_EMISSION', 0x0B53: 'GL_LIGHT_MODEL_AMBIENT',
    0x0CF5: 'GL_UNPACK_ALIGNMENT', 0x2800: 'GL_TEXTURE_MAG_FILTER', 0x2801: 'GL_TEXTURE_MIN_FILTER',
    0x2802: 'GL_TEXTURE_WRAP_S', 0x2803: 'GL_TEXTURE_WRAP_T', 0x2600: 'GL_NEAREST', 0x2601: 'GL_LINEAR',
    0x2901: 'GL_REPEAT', 0x1907: 'GL_RGB', 0x1401: 'GL_UNSIGNED_BYTE', 0x1D01: 'GL_SMOOTH', 0x1D00: 'GL_FLAT',
  };
  const SHAPES = {  // [arguments that are names, argument from which on they are one array]
    glBegin: [[0]], glEnable: [[0]], glDisable: [[0]], glFrontFace: [[0]], glMatrixMode: [[0]],
    glShadeModel: [[0]], glBindTexture: [[0]], glTexParameteri: [[0, 1, 2]], glTexEnvf: [[0, 1, 2]],
    glPixelStorei: [[0]], glColorMaterial: [[0, 1]], glTexImage2D: [[0, 2, 6, 7]], glLightfv: [[0, 1], 2],
    glLightModelfv: [[0], 1], glMaterialfv: [[0, 1], 2], glColor3fv: [[], 0],
  };
  const BUFFER_BITS = [[0x4000, 'GL_COLOR_BUFFER_BIT'], [0x100, 'GL_DEPTH_BUFFER_BIT'], [0x400, 'GL_STENCIL_BUFFER_BIT']];

  const number = (v) => String(Number(v.toPrecision(6)));  // as the program wrote it: 0.05, not 0.0500000007
  const enumName = (v) => ENUMS[v] || number(v);

  function callText(name, args) {
    const [names, arrayFrom] = SHAPES[name] || [[]];
    const text = args.map((a, i) => {
      if (name === 'glClear') return BUFFER_BITS.filter(([bit]) => a & bit).map(([, n]) => n).join(' | ') || number(a);
      return names.includes(i) ? enumName(a) : number(a);
    });
    if (arrayFrom !== undefined && arrayFrom < text.length) {
      text[arrayFrom] = '{' + text[arrayFrom];
      text[text.length - 1] += '}';
    }
    return name + '(' + text.join(', ') + ')';
  }

  let lines = null;           // the line table
  let stacks = [];            // the raw call stack as each step began
  let steps = [];             // {text, chain, primitive, vertices, texture}
  let runs = [];              // {start, end, depth, name}: a function's steps
  let folded = new Set();     // runs folded away
  let chosen = -1;
  let panel = null, list = null, items = [], stateBox = null, historyList = null, mark = null, pickAt = null;
  const timings = {};

  // The program's functions on a stack, outermost first, each with the file
  // and line it was at; `callee` is what the innermost one called.
  function chainOf(stack, callee) {
    const frames = [];
    for (const m of (stack || '').matchAll(/wasm-function\[(\d+)\]:0x([0-9a-f]+)/g))
      if (lines.functions[m[1]]) frames.unshift([lines.functions[m[1]], parseInt(m[2], 16)]);
    return frames.map(([fn, offset], k) => {
      const at = fn.lines;
      let lo = 0, hi = at.length / 3 - 1, found = 0;
      while (lo <= hi) {  // the last place at or before the offset
        const mid = (lo + hi) >> 1;
        if (at[mid * 3] <= offset) { found = mid; lo = mid + 1; } else hi = mid - 1;
      }
      const file = at[found * 3 + 1], line = at[found * 3 + 2];
      return { name: fn.name, file: lines.files[file], line: settle(file, line, k + 1 < frames.length ? frames[k + 1][0].name : callee) };
    });
  }

  // The line that calls `callee`: the one found, or one of the few after it
  // (a call that Binaryen left without a place takes the one before), or
  // before it.
  function settle(file, line, callee) {
    const calls = lines.calls[file] || {};
    for (const d of [0, 1, 2, 3, 4, -1, -2])
      if ((calls[line + d] || []).includes(callee)) return line + d;
    return line;
  }

  function heapInts(pointer, count) { return Array.from(HEAP32.subarray(pointer >> 2, (pointer >> 2) + count)); }

  // The recorded frame, read out of the module.
  function readSteps(count) {
    const ints = _malloc(4 * 6), argCount = ints + 20;
    const out = [];
    for (let i = 0; i < count; i++) {
      Module._inspectStep(i, ints);
      const [first, , primitive, , vertices] = heapInts(ints, 5);
      const name = UTF8ToString(Module._inspectCallName(first));
      const argsAt = Module._inspectCallArgs(first, argCount);
      const args = Array.from(HEAPF64.subarray(argsAt >> 3, (argsAt >> 3) + HEAP32[argCount >> 2]));
      const text = primitive ? callText(name, args) + ' \u2026 glEnd()' : callText(name, args);
      out.push({ text, chain: chainOf(stacks[i], name), primitive: primitive !== 0, vertices,
                 texture: name === 'glBindTexture' ? args[1] : -1 });
    }
    _free(ints);
    return out;
  }

  // Runs of consecutive steps made in one function at one depth, called
  // from the same places: one call of it, as far as the stack can tell.
  function findRuns() {
    const found = [], open = [];
    const key = (chain, depth) => chain.slice(0, depth).map((f) => f.name + '@' + f.line).join('>') + '>' +
                                  chain[depth].name;
    steps.forEach((s, i) => {
      for (let d = 1; d < s.chain.length; d++) {
        const k = key(s.chain, d);
        if (open[d] && open[d].key === k) { open[d].end = i; continue; }
        open[d] = { key: k, start: i, end: i, depth: d, name: s.chain[d].name };
        open.length = d + 1;
        found.push(open[d]);
      }
      open.length = Math.min(open.length, s.chain.length);
    });
    return found.filter((r) => r.end > r.start);
  }

  function el(tag, props, ...children) {
    const e = document.createElement(tag);
    Object.assign(e, props || {});
    for (const c of children) e.append(c);
    return e;
  }

  function build() {
    panel = el('section', { id: 'inspector' });
    panel.setAttribute('aria-label', 'frame inspector');
    const back = el('button', { type: 'button', id: 'inspect-back', textContent: 'Back to the house' });
    back.setAttribute('aria-label', 'back to the house');
    back.addEventListener('click', close);
    const outline = el('input', { type: 'checkbox', id: 'inspect-outline', checked: true });
    outline.addEventListener('change', () => choose(chosen));
    const foldAll = el('button', { type: 'button', textContent: 'Fold by function' });
    foldAll.setAttribute('aria-label', 'fold by function');
    foldAll.setAttribute('aria-pressed', 'false');
    foldAll.addEventListener('click', () => {
      const top = runs.filter((r) => r.depth === 1);
      folded = top.every((r) => folded.has(r)) ? new Set() : new Set(top);
      foldAll.setAttribute('aria-pressed', String(folded.size > 0));
      showFolds();
    });
    panel.append(el('div', { className: 'bar' }, back, ' ', foldAll, ' ',
                    el('label', {}, outline, ' outline the step'),
                    el('span', { id: 'inspect-hint', textContent: 'Choose a step; click or tap the house for a pixel\u2019s history.' })));

    list = el('ol', { tabIndex: 0 });
    list.setAttribute('aria-label', 'steps');
    list.addEventListener('keydown', onListKey);
    stateBox = el('section', { className: 'state' });
    stateBox.setAttribute('aria-label', 'state at this step');
    historyList = el('ol');
    historyList.setAttribute('aria-label', 'pixel history');
    const historyBox = el('section', { className: 'history' }, el('h3', { textContent: 'Pixel history' }),
                          el('p', { id: 'inspect-pixel', textContent: 'No pixel chosen.' }), historyList);
    historyBox.setAttribute('aria-label', 'which steps drew this pixel');
    panel.append(el('div', { className: 'panes' }, list, el('div', { className: 'side' }, historyBox, stateBox)));
    canvas.after(panel);
    mark = el('div', { id: 'inspect-mark' });
    document.body.append(mark);
  }

  function fill() {
    list.textContent = '';
    const runAt = new Map(runs.map((r) => [r.start + ':' + r.depth, r]));
    items = steps.map((s, i) => {
      const where = s.chain.length ? s.chain[s.chain.length - 1] : null;
      const li = el('li', { tabIndex: -1 });
      li.dataset.step = i;
      const head = el('div', { className: 'head' }, el('span', { className: 'n', textContent: i + 1 }), ' ',
                      el('code', { textContent: s.text }));
      if (s.primitive) head.append(el('span', { className: 'count', textContent: ' ' + s.vertices + ' vertices' }));
      if (s.texture >= 0 && Module.textureFiles[s.texture])
        head.append(el('span', { className: 'file', textContent: ' ' + Module.textureFiles[s.texture] }));
      li.append(head);
      const chain = el('div', { className: 'chain' });
      s.chain.forEach((f, d) => {
        if (d) chain.append(' > ');
        const run = runAt.get(i + ':' + d);
        const name = run ? el('button', { type: 'button', className: 'fold', textContent: f.name })
                         : el('span', { textContent: f.name });
        name.title = f.file + ':' + f.line;
        if (run) {
          name.run = run;
          name.setAttribute('aria-expanded', 'true');
          name.setAttribute('aria-label', 'fold ' + f.name + ', ' + (run.end - run.start + 1) + ' steps');
          name.addEventListener('click', (e) => {
            e.stopPropagation();
            if (folded.has(run)) folded.delete(run); else folded.add(run);
            showFolds();
          });
        }
        chain.append(name);
      });
      if (where) chain.append(el('span', { className: 'where', textContent: '  ' + where.file + ':' + where.line }));
      li.append(chain);
      li.addEventListener('click', () => choose(i));
      return li;
    });
    list.append(...items);
  }

  function showFolds() {
    const hidden = new Array(steps.length).fill(false);
    for (const r of folded) for (let i = r.start + 1; i <= r.end; i++) hidden[i] = true;
    items.forEach((li, i) => { if (li.hidden !== hidden[i]) li.hidden = hidden[i]; });
    for (const button of list.querySelectorAll('button.fold'))
      button.setAttribute('aria-expanded', String(!folded.has(button.run)));
  }

  // Up and down move through the steps that show; Home and End go to the
  // first and the last.
  function onListKey(e) {
    const shown = items.filter((li) => !li.hidden).map((li) => Number(li.dataset.step));
    const at = shown.indexOf(chosen);
    const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: shown.length - 1,
                 PageDown: at + 20, PageUp: at - 20 }[e.key];
    if (to === undefined) return;
    e.preventDefault();
    choose(shown[Math.max(0, Math.min(shown.length - 1, to))]);
  }

  // Scrolls a pane of the inspector, and nothing else, to show an element
  // whole (in its middle when it was out of sight).
  function reveal(element, pane = list) {
    const top = element.getBoundingClientRect().top - pane.getBoundingClientRect().top + pane.scrollTop;
    if (top < pane.scrollTop || top + element.offsetHeight > pane.scrollTop + pane.clientHeight)
      pane.scrollTop = top - (pane.clientHeight - element.offsetHeight) / 2;
  }

  function choose(i) {
    if (i < 0 || i >= steps.length) return;
    const start = performance.now();
    const inside = [...folded].filter((r) => i > r.start && i <= r.end);  // unfolded to show the step
    if (inside.length) {
      for (const r of inside) folded.delete(r);
      showFolds();
    }
    if (items[chosen]) items[chosen].removeAttribute('aria-current');
    chosen = i;
    items[i].setAttribute('aria-current', 'step');
    if (list.contains(document.activeElement) || document.activeElement === list) items[i].focus({ preventScroll: true });
    reveal(items[i]);
    Module._inspectDrawTo(i, document.getElementById('inspect-outline').checked ? 1 : 0);
    showState(i);
    timings.step = performance.now() - start;
  }

  const onOff = (v) => (v ? 'on' : 'off');
  const fixed = (v) => (Math.abs(v) < 5e-7 ? '0' : Number(v.toFixed(3)).toString());

  function matrixTable(m, caption) {
    const t = el('table', { className: 'matrix' }, el('caption', { textContent: caption }));
    for (let r = 0; r < 4; r++) {
      const tr = el('tr');
      for (let c = 0; c < 4; c++) tr.append(el('td', { textContent: fixed(m[c * 4 + r]) }));
      t.append(tr);
    }
    return t;
  }

  // A texture as a 64 x 64 picture, sampled as GL_NEAREST would.
  const pictures = {};
  function texturePicture(name) {
    if (!pictures[name]) {
      const size = _malloc(8);
      const pixels = Module._inspectTexture(name, size);
      const [w, h] = heapInts(size, 2);
      _free(size);
      const image = new ImageData(64, 64);
      for (let y = 0; pixels && w && y < 64; y++)
        for (let x = 0; x < 64; x++) {
          const from = pixels + ((h - 1 - Math.floor(y * h / 64)) * w + Math.floor(x * w / 64)) * 3;  // rows from the bottom
          const to = (y * 64 + x) * 4;
          image.data[to] = HEAPU8[from];
          image.data[to + 1] = HEAPU8[from + 1];
          image.data[to + 2] = HEAPU8[from + 2];
          image.data[to + 3] = 255;
        }
      pictures[name] = image;
    }
    const c = el('canvas', { width: 64, height: 64, className: 'texture' });
    c.getContext('2d').putImageData(pictures[name], 0, 0);
    return c;
  }

  function showState(i) {
    const s = steps[i];
    const buffer = _malloc(4 * Math.max(50, 12 * s.vertices));
    Module._inspectState(i, buffer);
    const v = Array.from(HEAPF32.subarray(buffer >> 2, (buffer >> 2) + 50));
    const [viewport, flags, color, light] = [v.slice(32, 36), v.slice(36, 43), v.slice(43, 46), v.slice(46, 50)];
    const [depth, lighting, texturing, culling, winding, texture, envMode] = flags;
    const where = s.chain.map((f) => f.name + ' (' + f.file + ':' + f.line + ')').join(' > ');
    const rows = [
      ['viewport', viewport.join(', ')], ['depth test', onOff(depth)], ['lighting', onOff(lighting)],
      ['texturing', onOff(texturing)], ['face culling', onOff(culling)], ['front face', enumName(winding)],
      ['bound texture', texture + (Module.textureFiles[texture] ? ' ' + Module.textureFiles[texture] : '')],
      ['texture environment', enumName(envMode)], ['current colour', color.map(fixed).join(', ')],
      ['light position (eye)', light.map(fixed).join(', ')],
    ];
    stateBox.textContent = '';
    stateBox.append(el('h3', { textContent: 'State at step ' + (i + 1) }),
                    el('p', { className: 'called', textContent: s.text }), el('p', { className: 'chain', textContent: where }),
                    el('div', { className: 'matrices' }, matrixTable(v.slice(0, 16), 'modelview'),
                       matrixTable(v.slice(16, 32), 'projection')));
    const dl = el('dl');
    for (const [k, value] of rows) {
      const dd = el('dd', { textContent: value });
      if (k === 'current colour') dd.prepend(el('span', { className: 'swatch', style: 'background: rgb(' +
        color.map((c) => Math.round(c * 255)).join(',') + ')' }));
      if (k === 'bound texture') dd.append(texturePicture(texture));
      dl.append(el('dt', { textContent: k }), dd);
    }
    stateBox.append(dl);
    if (s.primitive) {
      Module._inspectVertices(i, buffer);
      const t = el('table', { className: 'vertices' }, el('caption', { textContent: 'vertices as given, and where they land' }));
      t.append(el('tr', {}, ...['#', 'object x, y, z', 's, t', 'colour', 'window x, y', 'depth'].map((h) => el('th', { textContent: h }))));
      const at = HEAPF32.subarray(buffer >> 2, (buffer >> 2) + 12 * s.vertices);
      for (let k = 0; k < s.vertices; k++) {
        const p = at.slice(12 * k, 12 * k + 12), w = p[11];
        const win = w > 0 ? [viewport[0] + (p[8] / w + 1) / 2 * viewport[2], viewport[1] + (p[9] / w + 1) / 2 * viewport[3],
                             (p[10] / w + 1) / 2] : null;
        t.append(el('tr', {}, ...[k + 1, [...p.slice(0, 3)].map(fixed).join(', '), [...p.slice(3, 5)].map(fixed).join(', '),
          [...p.slice(5, 8)].map(fixed).join(', '), win ? win.slice(0, 2).map((c) => c.toFixed(1)).join(', ') : 'behind the eye',
          win ? win[2].toFixed(4) : ''].map((c) => el('td', { textContent: c }))));
      }
      stateBox.append(t);
    }
    _free(buffer);
  }

  // The history of a pixel of the frozen frame, in the canvas's pixels.
  function pixel(x, y) {
    const start = performance.now();
    const count = Module._inspectPixel(x, y);
    const entries = heapInts(Module._inspectPixelEntries(), 4 * count);
    historyList.textContent = '';
    document.getElementById('inspect-pixel').textContent =
      'Pixel (' + x + ', ' + y + ') from the top left: ' + (count ? count + ' primitives reached it.' : 'only the clear.');
    for (let k = 0; k < count; k++) {
      const [step, fate, other] = entries.slice(4 * k, 4 * k + 4);
      const s = steps[step], f = s.chain[s.chain.length - 1];
      const what = [
        'seen',
        'drawn, then covered by step ' + (other + 1),
        'hidden by the depth test behind step ' + (other + 1),
        'culled as a back face'][fate];
      const button = el('button', { type: 'button', textContent: 'step ' + (step + 1) + ' \u00b7 ' +
        (f ? f.name + ' ' + f.file + ':' + f.line : '') + ' \u00b7 ' + s.text + ' \u00b7 ' + what });
      button.addEventListener('click', () => choose(step));
      const li = el('li', {}, button);
      li.dataset.step = step;
      li.dataset.fate = FATES[fate];
      historyList.append(li);
    }
    const seen = historyList.querySelector('[data-fate="seen"]');
    if (seen) reveal(seen, historyList.closest('.side'));
    placeMark(x, y);
    timings.pixel = performance.now() - start;
    return count;
  }

  // The ring over the pixel chosen, or about to be.
  function placeMark(x, y) {
    const r = canvas.getBoundingClientRect(), scale = r.width / canvas.width;
    const fixed = getComputedStyle(mark).position === 'fixed';
    Object.assign(mark.style, { display: 'block', left: (r.left + (fixed ? 0 : window.scrollX) + (x + 0.5) * scale) + 'px',
                                top: (r.top + (fixed ? 0 : window.scrollY) + (y + 0.5) * scale) + 'px' });
    pickAt = [x, y];
  }

  function canvasPixel(e) {
    const r = canvas.getBoundingClientRect();
    return [Math.floor((e.clientX - r.left) * canvas.width / r.width), Math.floor((e.clientY - r.top) * canvas.height / r.height)];
  }

  // A click or a tap on the frozen house asks for that pixel; with the
  // keyboard, the arrows move a cross over the canvas and Enter asks.
  let down = null;
  function onPointerDown(e) { if (panel) down = [e.clientX, e.clientY]; }
  function onPointerUp(e) {
    if (!panel || !down || Math.hypot(e.clientX - down[0], e.clientY - down[1]) > 10) return;
    down = null;
    e.preventDefault();
    pixel(...canvasPixel(e));
  }
  function onCanvasKey(e) {
    if (!panel) return;
    const step = e.shiftKey ? 10 : 1;
    const move = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step], ArrowDown: [0, step] }[e.key];
    const [x, y] = pickAt || [canvas.width >> 1, canvas.height >> 1];
    if (move) {
      e.preventDefault();
      placeMark(Math.max(0, Math.min(canvas.width - 1, x + move[0])), Math.max(0, Math.min(canvas.height - 1, y + move[1])));
    } else if (e.key === 'Enter' || e.key === ' ') {
      e.preventDefault();
      pixel(...(pickAt || [x, y]));
    }
  }

  // Records the frame on the screen and shows it, at the last step chosen
  // (or the whole frame).
  function record() {
    stacks = [];
    Module.inspectStack = (i) => { stacks[i] = new Error().stack; };
    const limit = Error.stackTraceLimit;
    Error.stackTraceLimit = 200;
    const count = Module._inspectRecord();
    Error.stackTraceLimit = limit;
    steps = readSteps(count);
    runs = findRuns();
    folded = new Set();
    fill();
    choose(Math.min(chosen < 0 ? steps.length - 1 : chosen, steps.length - 1));
  }

  // A new window size while open: the frame is recorded again at it.
  function onResize() { if (panel) requestAnimationFrame(() => { if (panel) record(); }); }

  function unavailable() {
    Module.print('The frame inspector could not be loaded.');
  }

  async function open() {
    if (panel || !Module.running()) return;
    const start = performance.now();
    if (!lines) {
      try {
        const response = await fetch('inspect/lines.json?v=' + root.dataset.build);
        if (!response.ok) throw new Error(response.statusText);
        lines = await response.json();
      } catch (e) {
        unavailable();
        return;
      }
    }
    Module._tarnvalePause(1);
    root.classList.add('inspecting');
    build();
    chosen = -1;
    record();
    list.focus({ preventScroll: true });  // the frame stays in view
    timings.open = performance.now() - start;
  }

  function close() {
    if (!panel) return;
    panel.remove();
    mark.remove();
    panel = null;
    pickAt = null;
    root.classList.remove('inspecting');
    Module._tarnvalePause(0);
    canvas.focus();
  }

  canvas.addEventListener('pointerdown', onPointerDown);
  canvas.addEventListener('pointerup', onPointerUp);
  canvas.addEventListener('keydown', onCanvasKey);
  window.addEventListener('resize', onResize);

  return { open, close, choose, pixel, timings, get steps() { return steps; }, get chosen() { return chosen; } };
})();
