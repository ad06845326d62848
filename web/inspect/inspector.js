// The frame inspector: the program held at one frame, opened up. The frame is
// recorded call by call at the GL layer's entry points (record.cpp) with the
// program's call stack at each step, read against the line table the build
// made (lines.json); the list of steps draws the frame up to any of them,
// the state panel shows what was in force there, and a pixel of the frozen
// frame lists every step that reached it. Every number of a step can be
// changed, a switch turned, a texture swapped, a step left out, and so can
// the calls that set the state the frame starts with: the frame is then run
// again through the GL layer with the edits (replay.cpp), and everything
// shown follows. The view from outside shows the frame and the eye's view
// volume from a second camera. Loaded when first asked for, after its rooms:
// GL's names (gl_names.js, made at build time) and the meanings (meanings.js),
// the tables (gl_tables.js), the matrix maths (camera_math.js), the view from
// outside (outside_view.js), the elements and number cells (cells.js), the
// state panel (state_panel.js) with the whole GL state (gl_state.js), pixel
// history's view (pixel_view.js), the
// record read out of the module (frame_reader.js), the list of steps
// (steps_list.js), the edits' cells and
// list (edits_view.js), the frozen canvas's input (canvas_input.js) and
// saving the frame as C (save_frame.js).
'use strict';

window.Inspector = (function () {
  const canvas = document.getElementById('canvas');
  const root = document.documentElement, shows = root.dataset.shows || 'the picture';

  const { ENUMS, BUFFER_BITS, SWITCHED, callText } = window.InspectTables;

  let lines = null;           // the line table
  let stacks = [];            // the raw call stack as each step began
  let steps = [];             // {text, chain, primitive, vertices, texture, first, last}
  let starting = [];          // the starting state's calls: {name, args, chain}
  let runs = [];              // {start, end, depth, name}: a function's steps
  let folded = new Set();     // runs folded away
  let chosen = -1, chosenStart = -1;
  // The learner's edits, in the order first made: one for each argument
  // changed ({key, start, call, step, arg, value}), each switch turned
  // ({key, start, call, step, name}) and each step left out ({key, step,
  // leftOut}), so that undoing one leaves the others of the same call.
  let edits = [];
  let outside = null;         // the outside camera while the view from outside is on: {yaw, pitch, distance}
  let panel = null, list, startList, items = [], startItems = [], stateBox, historyList, editsList, mark, pickAt = null;
  let open_ = false;
  let argBuffer = 0, countBuffer = 0;
  const timings = {};

  const { heapInts, readCall, readSteps, readStarting, findRuns } = InspectFrame.make({
    lines: () => lines, stacks: () => stacks, countBuffer: () => countBuffer, callText });

  function stepText(i) {
    const s = steps[i], call = readCall(s.first);
    return s.primitive && call.name === 'glBegin' ? callText(call.name, call.args) + ' \u2026 glEnd()' : callText(call.name, call.args);
  }

  const { el, morph, labelled, numberCell } = window.InspectCells;
  const stepsList = InspectStepsList.make({ el, labelled, callText, list: () => list, startList: () => startList });
  const { reveal } = stepsList;
  const showFolds = () => stepsList.showFolds(items, runs, folded);
  const onListKey = (e) => stepsList.onListKey(e, items, chosen, choose);
  const fill = () => ({ items, startItems } = stepsList.fill(steps, runs, starting));

  // The panel is made once and hidden while closed, so that nothing of an
  // earlier opening stays reachable from it.
  function build() {
    panel = labelled(el('section', { id: 'inspector', hidden: true }), 'frame inspector');
    // The page says what its canvas shows: the house, or a program's picture.
    const to = shows === 'the house' ? 'the house' : 'the program';
    const back = labelled(el('button', { type: 'button', id: 'inspect-back', textContent: 'Back to ' + to }), 'back to ' + to);
    back.addEventListener('click', close);
    const outline = el('input', { type: 'checkbox', id: 'inspect-outline', checked: true });
    outline.addEventListener('change', draw);
    const foldAll = labelled(el('button', { type: 'button', id: 'inspect-fold', textContent: 'Fold by function' }), 'fold by function');
    foldAll.setAttribute('aria-pressed', 'false');
    foldAll.addEventListener('click', () => {
      const top = runs.filter((r) => r.depth === 1);
      folded = top.every((r) => folded.has(r)) ? new Set() : new Set(top);
      showFolds();
    });
    const view = labelled(el('button', { type: 'button', id: 'inspect-outside', textContent: 'View from outside' }), 'view from outside');
    view.setAttribute('aria-pressed', 'false');
    view.addEventListener('click', () => {
      outside = outside ? null : { yaw: 50, pitch: 25, distance: 9 };
      view.setAttribute('aria-pressed', String(!!outside));
      mark.style.display = 'none';
      draw();
    });
    const save = labelled(el('button', { type: 'button', id: 'inspect-save', textContent: 'Save the frame as C' }), 'save the frame as C');
    save.addEventListener('click', saveAsC);
    panel.append(el('div', { className: 'bar' }, back, ' ', foldAll, ' ', view, ' ', save, ' ',
                    el('label', {}, outline, ' outline the step'),
                    el('span', { id: 'inspect-hint', textContent: 'Choose a step and change its numbers; click or tap ' + shows + ' for a pixel\u2019s history.' })));

    // The lists' items are made anew at each record; one listener on each
    // list serves them all, so that an item let go holds nothing else.
    startList = labelled(el('ol', { tabIndex: 0 }), 'starting state');
    startList.addEventListener('click', (e) => {
      const li = e.target.closest('li[data-start]');
      if (li && !e.target.closest('.cells')) chooseStart(Number(li.dataset.start));
    });
    list = labelled(el('ol', { tabIndex: 0 }), 'steps');
    list.addEventListener('keydown', onListKey);
    list.addEventListener('click', (e) => {
      const fold = e.target.closest('button.fold'), li = e.target.closest('li[data-step]');
      if (fold) {
        const run = runs[Number(fold.dataset.run)];
        if (folded.has(run)) folded.delete(run); else folded.add(run);
        showFolds();
      } else if (li && !e.target.closest('.cells')) {
        choose(Number(li.dataset.step));
      }
    });
    stateBox = labelled(el('section', { className: 'state' }), 'state at this step');
    historyList = labelled(el('ol'), 'pixel history');
    historyList.addEventListener('click', (e) => {
      const li = e.target.closest('li[data-step]');
      if (li && e.target.closest('button')) choose(Number(li.dataset.step));
    });
    const historyBox = labelled(el('section', { className: 'history' }, el('h3', { textContent: 'Pixel history' }),
                                   el('p', { id: 'inspect-pixel', textContent: 'No pixel chosen.' }), historyList),
                                'which steps drew this pixel');
    editsList = labelled(el('ul'), 'edits');
    const reset = labelled(el('button', { type: 'button', textContent: 'The program\u2019s frame' }), 'the program\u2019s frame');
    reset.addEventListener('click', () => { edits = []; run(); });
    const editsBox = el('section', { className: 'edits' }, el('h3', { textContent: 'Edits' }), editsList, reset);
    panel.append(el('div', { className: 'panes' },
                    el('div', { className: 'lists' }, el('h3', { textContent: 'The state the frame starts with' }), startList,
                       el('h3', { textContent: 'The frame' }), list),
                    el('div', { className: 'side' }, editsBox, historyBox, stateBox)));
    canvas.after(panel);
    mark = el('div', { id: 'inspect-mark' });
    document.body.append(mark);
    argBuffer = _malloc(8 * 16);
    countBuffer = _malloc(4);
  }

  // The frame up to the chosen step, from the eye or from outside.
  function draw() {
    if (chosen < 0) return;
    const outline = document.getElementById('inspect-outline').checked ? 1 : 0;
    if (outside) InspectOutside.draw(chosen, outside, outline);
    else Module._inspectDrawTo(chosen, outline);
  }

  function choose(i) {
    if (i < 0 || i >= steps.length) return;
    const start = performance.now();
    const inside = [...folded].filter((r) => i > r.start && i <= r.end);  // unfolded to show the step
    if (inside.length) {
      for (const r of inside) folded.delete(r);
      showFolds();
    }
    if (items[chosen]) {
      items[chosen].removeAttribute('aria-current');
      items[chosen].querySelector('.cells')?.remove();
    }
    chosen = i;
    items[i].setAttribute('aria-current', 'step');
    items[i].append(cellsFor(false, steps[i].first, i));
    if (list.contains(document.activeElement) || document.activeElement === list) items[i].focus({ preventScroll: true });
    reveal(items[i]);
    draw();
    showState(i);
    timings.step = performance.now() - start;
  }

  function chooseStart(i) {
    if (startItems[chosenStart]) {
      startItems[chosenStart].removeAttribute('aria-current');
      startItems[chosenStart].querySelector('.cells')?.remove();
    }
    chosenStart = i;
    startItems[i].setAttribute('aria-current', 'true');
    startItems[i].append(cellsFor(true, i));
  }

  // --- Edits ---

  const keyOf = (start, call) => (start ? 's' : 'f') + call;

  // A call as edited: its name and arguments, and whether an edit holds it.
  function current(start, call) {
    const given = start ? starting[call] : readOriginal(call), key = keyOf(start, call) + ':';
    const c = { name: given.name, args: given.args.slice(), edited: false, given };
    for (const e of edits) {
      if (!e.key.startsWith(key)) continue;
      c.edited = true;
      if (e.name) c.name = e.name; else c.args[e.arg] = e.value;
    }
    return c;
  }

  // The program's own call, before any edit: the module keeps edited
  // arguments in the replayed record, so the first reading of each is kept.
  const originals = new Map();
  function readOriginal(call) {
    if (!originals.has(call)) originals.set(call, readCall(call));
    return originals.get(call);
  }

  // The call made `name(args)`: an edit for each argument and the switch
  // that differ from the program's own, none for those that do not.
  function edit(start, call, name, args) {
    const given = start ? starting[call] : readOriginal(call), step = start ? -1 : stepOfCall(call);
    const put = (key, differs, entry) => {
      const at = edits.findIndex((e) => e.key === key);
      if (!differs) { if (at >= 0) edits.splice(at, 1); } else if (at >= 0) edits[at] = entry; else edits.push(entry);
    };
    const key = keyOf(start, call) + ':';
    put(key + 'on', name !== given.name, { key: key + 'on', start, call, step, name });
    args.forEach((value, arg) => put(key + arg, Math.fround(value) !== Math.fround(given.args[arg]),
                                     { key: key + arg, start, call, step, arg, value }));
    run();
  }

  // One argument of a call changed, the call's other arguments as they
  // stand now: earlier edits of the same call hold.
  function setArg(start, call, k, v) {
    const c = current(start, call), args = c.args.slice();
    args[k] = v;
    edit(start, call, c.name, args);
  }

  // A step, or several, left out or put back; the frame runs once.
  function leaveOut(which, out) {
    for (const step of [].concat(which)) {
      const key = 'o' + step, at = edits.findIndex((e) => e.key === key);
      if (out && at < 0) edits.push({ key, step, leftOut: true });
      if (!out && at >= 0) edits.splice(at, 1);
    }
    run();
  }

  function stepOfCall(call) {
    let lo = 0, hi = steps.length - 1;
    while (lo < hi) {
      const mid = (lo + hi + 1) >> 1;
      if (steps[mid].first <= call) lo = mid; else hi = mid - 1;
    }
    return lo;
  }

  let shownEdited = new Set();  // steps marked as edited
  // The recorded frame run again with every edit, and all that is shown
  // brought up to date with it.
  function run() {
    const start = performance.now();
    Module._inspectEditsClear();
    const sent = new Set();
    for (const e of edits) {
      if (e.leftOut) { Module._inspectLeaveOut(e.step); continue; }
      const k = keyOf(e.start, e.call);
      if (sent.has(k)) continue;
      sent.add(k);
      const c = current(e.start, e.call);
      if (SWITCHED.includes(c.name)) Module._inspectEditEnable(e.start ? 1 : 0, e.call, c.name === 'glEnable' ? 1 : 0);
      HEAPF64.set(c.args, argBuffer >> 3);
      Module._inspectEditArgs(e.start ? 1 : 0, e.call, argBuffer, c.args.length);
    }
    Module._inspectReplay();
    const edited = new Set(edits.filter((e) => e.step >= 0).map((e) => e.step));
    const setText = (e, text) => { if (e.textContent !== text) e.textContent = text; };
    for (const i of new Set([...edited, ...shownEdited])) {
      steps[i].text = stepText(i);
      setText(items[i].querySelector('code'), steps[i].text);
      items[i].classList.toggle('edited', edited.has(i));
      items[i].classList.toggle('left-out', edits.some((e) => e.leftOut && e.step === i));
    }
    shownEdited = edited;
    startItems.forEach((li, i) => {
      const c = current(true, i);
      setText(li.querySelector('code'), callText(c.name, c.args));
      li.classList.toggle('edited', c.edited);
    });
    showEdits();
    syncCells();
    draw();
    showState(chosen);
    if (pickAt && !outside && mark.style.display === 'block') pixel(...pickAt);
    timings.edit = performance.now() - start;
  }

  // --- The state panel (state_panel.js) ---

  const { showState, texturePicture } = InspectStatePanel.make({
    el, labelled, morph, heapInts, readOriginal, current, setArg, numberCell,
    step: (i) => steps[i], box: () => stateBox,
  });

  // --- The edits' cells and list (edits_view.js) ---

  const { cellsFor, showEdits, syncCells } = InspectEditsView.make({
    el, labelled, morph, numberCell, texturePicture, panel: () => panel, editsList: () => editsList,
    edits: () => edits, starting: () => starting, current, readOriginal, edit, setArg, leaveOut,
    undoEdit: (key) => { edits = edits.filter((x) => x.key !== key); run(); },
  });

  // --- Pixel history (pixel_history.js) ---

  const { pixel, placeMark } = InspectPixelHistory.make({
    el, heapInts, reveal, timings, step: (i) => steps[i], list: () => historyList, mark: () => mark,
    picked: (xy) => { pickAt = xy; },
  });

  const { saveAsC } = InspectSave.make({
    steps: () => steps, starting: () => starting, edits: () => edits, stepOfCall, readCall, current, heapInts, el, timings,
  });

  // --- Opening, recording, closing ---

  // Records the frame on the screen and shows it, at the last step chosen
  // (or the whole frame); edits made so far are run again on it.
  function record() {
    stacks = [];
    originals.clear();
    Module.inspectStack = (i) => { stacks[i] = new Error().stack; };
    const limit = Error.stackTraceLimit;
    Error.stackTraceLimit = 200;
    const count = Module._inspectRecord();
    Error.stackTraceLimit = limit;
    steps = readSteps(count);
    stacks = [];
    starting = readStarting();
    runs = findRuns(steps);
    folded = new Set();
    chosenStart = -1;
    fill();
    showFolds();
    for (const e of edits) if (!e.start && !e.leftOut) readOriginal(e.call);  // before they are run again
    const at = Math.min(chosen < 0 ? steps.length - 1 : chosen, steps.length - 1);
    chosen = -1;
    choose(at);
    if (edits.length) run();
  }

  // A new window size while open (the page sends it on to the program): the
  // frame is recorded again at it.
  function onResize() { if (open_) requestAnimationFrame(() => { if (open_) record(); }); }
  // The WebGL context came back: the frozen frame is drawn again.
  function onRestored() { if (open_) requestAnimationFrame(() => { if (open_) draw(); }); }

  function unavailable() {
    Module.print('The frame inspector could not be loaded.');
  }

  async function open() {
    if (open_ || !Module.running()) return;
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
    if (!panel) build();
    panel.hidden = false;
    document.body.append(mark);
    open_ = true;
    chosen = -1;
    record();
    list.focus({ preventScroll: true });  // the frame stays in view
    timings.open = performance.now() - start;
  }

  // The house goes on as the program left it: edits and the view from
  // outside are left behind, and nothing of this opening is kept.
  function close() {
    if (!open_) return;
    open_ = false;
    Module._inspectClose();
    panel.hidden = true;
    for (const box of [list, startList, editsList, historyList, stateBox]) box.textContent = '';
    document.getElementById('inspect-pixel').textContent = 'No pixel chosen.';
    mark.remove();
    mark.style.display = 'none';
    steps = [];
    starting = [];
    items = [];
    startItems = [];
    runs = [];
    edits = [];
    shownEdited = new Set();
    originals.clear();
    outside = null;
    document.getElementById('inspect-outside').setAttribute('aria-pressed', 'false');
    pickAt = null;
    root.classList.remove('inspecting');
    Module._tarnvalePause(0);
    canvas.focus();
  }

  InspectCanvas.make({ isOpen: () => open_, outside: () => outside, draw, pixel, placeMark, pickAt: () => pickAt, timings });
  canvas.addEventListener('webglcontextrestored', onRestored);
  window.addEventListener('resize', onResize);

  return { ENUMS, BUFFER_BITS, open, close, choose, chooseStart, pixel, timings, edit, leaveOut,
           get steps() { return steps; }, get chosen() { return chosen; }, get starting() { return starting; },
           get edits() { return edits; }, get outside() { return outside; } };
})();
