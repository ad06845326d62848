// The state panel: what a step has in force (its matrices, switches,
// texture and colour), its primitive's vertices with a cell for each number
// the program gave, and each vertex's way through the pipeline. Made with
// the inspector's services, which it is given.
'use strict';

window.InspectStatePanel = (function () {
  const { meaningsOf, enumName } = window.InspectTables;
  const SHOWN_VERTICES = 24;  // a table of more is neither read nor quick
  const { apply } = window.InspectMath;

  function make({ el, labelled, morph, heapInts, readOriginal, current, setArg, numberCell, step, box: stateBox }) {
    const onOff = (v) => (v ? 'on' : 'off');
    const fixed = (v) => (Math.abs(v) < 5e-7 ? '0' : Number(v.toFixed(3)).toString());
    // The whole GL state, asked for: worked out only while its section is open.
    const glState = window.InspectGLState.make({ el, enumName, fixed, matrixTable: (m, caption) => matrixTable(m, caption) });
    let wholeOpen = false;
    function wholeState(i) {
      const details = el('details', { className: 'whole' }, el('summary', { textContent: 'the whole GL state here' }));
      const fill = () => { if (details.open) details.append(glState.render(i)); };
      details.open = wholeOpen;
      details.live = true;  // replaced whole, with its listener, as the step changes
      details.addEventListener('toggle', () => {
        wholeOpen = details.open;
        if (details.open && !details.querySelector('.gl-state')) fill();
      });
      fill();
      return details;
    }

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
            const from = pixels + ((h - 1 - Math.floor(y * h / 64)) * w + Math.floor(x * w / 64)) * 4;  // RGBA rows from the bottom
            const to = (y * 64 + x) * 4;
            image.data[to] = HEAPU8[from];
            image.data[to + 1] = HEAPU8[from + 1];
            image.data[to + 2] = HEAPU8[from + 2];
            image.data[to + 3] = 255;
          }
        pictures[name] = image;
      }
      const c = el('canvas', { width: 64, height: 64, className: 'texture' });
      c.dataset.texture = name;
      c.getContext('2d').putImageData(pictures[name], 0, 0);
      return c;
    }


    // A primitive's vertices through the pipeline, a column each: object,
    // eye, clip, normalised device and window coordinates, with what carries
    // each stage to the next.
    function pipelineTable(modelview, viewport, given, clips) {
      const t = labelled(el('table', { className: 'pipeline' }, el('caption', { textContent: 'each vertex\u2019s way through the pipeline' })), 'vertex pipeline');
      t.append(el('tr', {}, el('th', { textContent: 'stage' }), ...given.map((_, k) => el('th', { textContent: 'vertex ' + (k + 1) }))));
      const [vx, vy, vw, vh] = viewport;
      const stages = [
        ['object', given.map((g) => [g[0], g[1], g[2], 1])],
        ['eye', given.map((g) => apply(modelview, [g[0], g[1], g[2], 1])), 'the modelview matrix above'],
        ['clip', clips, 'the projection matrix above'],
        ['normalised device', clips.map((c) => (c[3] > 0 ? [c[0] / c[3], c[1] / c[3], c[2] / c[3]] : null)), 'divided by w'],
        ['window', clips.map((c) => (c[3] > 0 ? [vx + (c[0] / c[3] + 1) / 2 * vw, vy + (c[1] / c[3] + 1) / 2 * vh, (c[2] / c[3] + 1) / 2] : null)),
         'the viewport below'],
      ];
      for (const [stage, values, by] of stages) {
        if (by) t.append(el('tr', { className: 'by' }, el('td', { colSpan: given.length + 1, textContent: '\u2193 ' + by })));
        t.append(el('tr', {}, el('th', { textContent: stage, scope: 'row' }),
                    ...values.map((v) => el('td', { textContent: v ? v.map(fixed).join(', ') : 'behind the eye' }))));
      }
      const toWindow = [vw / 2, 0, 0, 0, 0, vh / 2, 0, 0, 0, 0, 0.5, 0, vx + vw / 2, vy + vh / 2, 0.5, 1];
      return el('div', { className: 'pipeline' }, t, matrixTable(toWindow, 'viewport: normalised device to window'));
    }

    // Which calls of a primitive set each vertex, its texture coordinates and
    // its colour, so that its cells change those calls.
    function vertexCalls(s) {
      const out = [];
      let texCoord = -1, color = -1;
      for (let c = s.first + 1; c <= s.last && out.length < SHOWN_VERTICES; c++) {
        const name = readOriginal(c).name;
        if (name === 'glTexCoord2f' || name === 'glTexCoord4f') texCoord = c;
        else if (name === 'glColor3f' || name === 'glColor3fv' || name === 'glColor4f') color = c;
        else if (name === 'glVertex3f' || name === 'glVertex4f') out.push({ vertex: c, texCoord, color });
      }
      return out;
    }

    function showState(i) {
      if (i < 0) return;
      const s = step(i);
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
      const box = el('section');
      box.append(el('h3', { textContent: 'State at step ' + (i + 1) }),
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
      box.append(dl, wholeState(i));
      if (s.primitive && s.vertices) {
        Module._inspectVertices(i, buffer);
        const at = HEAPF32.subarray(buffer >> 2, (buffer >> 2) + 12 * s.vertices);
        const given = [], clips = [];
        for (let k = 0; k < Math.min(s.vertices, SHOWN_VERTICES); k++) {
          given.push(Array.from(at.slice(12 * k, 12 * k + 8)));
          clips.push(Array.from(at.slice(12 * k + 8, 12 * k + 12)));
        }
        box.append(vertexTable(s, given, clips, viewport), pipelineTable(v.slice(0, 16), viewport, given, clips));
        if (s.vertices > SHOWN_VERTICES)
          box.append(el('p', { className: 'meaning', textContent: 'The first ' + SHOWN_VERTICES + ' of ' + s.vertices + ' vertices.' }));
      }
      _free(buffer);
      const shown = stateBox();
      if (shown.childNodes.length !== box.childNodes.length) shown.replaceChildren(...box.childNodes);
      else morph(shown, box);
    }

    function vertexTable(s, given, clips, viewport) {
      const t = el('table', { className: 'vertices' }, el('caption', { textContent: 'vertices as given, and where they land' }));
      t.append(el('tr', {}, ...['#', 'object x, y, z', 's, t', 'colour', 'window x, y', 'depth'].map((h) => el('th', { textContent: h }))));
      const calls = vertexCalls(s);
      given.forEach((p, k) => {
        const w = clips[k][3];
        const win = w > 0 ? [viewport[0] + (clips[k][0] / w + 1) / 2 * viewport[2], viewport[1] + (clips[k][1] / w + 1) / 2 * viewport[3],
                             (clips[k][2] / w + 1) / 2] : null;
        const cellsOf = (call, name, from, count, labels) => {
          if (call === undefined || call < 0) return [...p.slice(from, from + count)].map(fixed).join(', ');
          const m = meaningsOf(current(false, call).name, current(false, call).args);
          return el('span', { className: 'cells' }, ...labels.map((label, j) => numberCell(label + ' of vertex ' + (k + 1), m[j][1],
            () => current(false, call).args[j], m[j][2], (value) => setArg(false, call, j, value))));
        };
        const own = calls[k] || {};
        const cells = [k + 1, cellsOf(own.vertex, 'glVertex3f', 0, 3, ['x', 'y', 'z']),
                       cellsOf(own.texCoord >= s.first ? own.texCoord : -1, 'glTexCoord2f', 3, 2, ['s', 't']),
                       cellsOf(own.color >= s.first ? own.color : -1, 'glColor3f', 5, 3, ['red', 'green', 'blue']),
                       win ? win.slice(0, 2).map((c) => c.toFixed(1)).join(', ') : 'behind the eye', win ? win[2].toFixed(4) : ''];
        t.append(el('tr', {}, ...cells.map((c) => el('td', {}, c))));
      });
      return t;
    }

    return { showState, texturePicture };
  }

  return { make };
})();
