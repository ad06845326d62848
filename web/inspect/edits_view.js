// The learner's edits as the panel shows them: the cells of a call (each
// number a cell with its meaning, each switch a checkbox, each enumerated
// argument a choice, and whether a step is left out), the list of edits
// made with an undo for each, and every cell kept saying what the frame
// uses now.
'use strict';

window.InspectEditsView = (function () {
  function make({ el, labelled, morph, numberCell, texturePicture, panel, editsList, edits, starting, current,
                  readOriginal, edit, setArg, leaveOut, undoEdit }) {
    const { CHOICES, SWITCHED, number, enumName, meaningsOf, callText } = window.InspectTables;

    // Every cell shown says what the frame uses now (after an undo, too).
    function syncCells() {
      for (const input of panel().querySelectorAll('.cells input')) {
        if (!input.shows) continue;
        if (input.type === 'checkbox') input.checked = input.shows();
        else if (input.value !== number(input.shows())) input.value = number(input.shows());
      }
    }

    function showEdits() {
      const shown = edits().map((e) => {
        const given = e.leftOut ? null : e.start ? starting()[e.call] : readOriginal(e.call);
        const argName = (k) => (meaningsOf(given.name, given.args)[k] || ['argument ' + (k + 1)])[0];
        const what = e.leftOut ? 'step ' + (e.step + 1) + ' left out'
          : (e.start ? 'starting state: ' : 'step ' + (e.step + 1) + ': ') +
            (e.name ? callText(e.name, given.args) + ', was ' + callText(given.name, given.args)
                    : given.name + ' ' + argName(e.arg) + ' ' + number(e.value) + ', was ' + number(given.args[e.arg]));
        const undo = labelled(el('button', { type: 'button', textContent: 'undo' }), 'undo: ' + what);
        undo.addEventListener('click', () => undoEdit(e.key));
        return el('li', {}, el('span', { textContent: what + ' ' }), undo);
      });
      // The same edits in the same order: only their words change.
      const same = shown.length === editsList().children.length &&
                   edits().every((e, k) => editsList().children[k].dataset.key === e.key);
      shown.forEach((li, k) => { li.dataset.key = edits()[k].key; });
      if (same) shown.forEach((li, k) => morph(editsList().children[k], li));
      else editsList().replaceChildren(...shown);
    }

    // The cells of a call (`start`: of the starting state) as one can change
    // them; for a step, also whether it is left out.
    function cellsFor(start, call, step) {
      const box = el('div', { className: 'cells' });
      const c = current(start, call);
      const set = (k, v) => setArg(start, call, k, v);
      if (SWITCHED.includes(c.name)) {
        const on = labelled(el('input', { type: 'checkbox', checked: c.name === 'glEnable' }), enumName(c.args[0]));
        on.setAttribute('role', 'switch');
        on.shows = () => current(start, call).name === 'glEnable';
        on.addEventListener('change', () => edit(start, call, on.checked ? 'glEnable' : 'glDisable', current(start, call).args));
        box.append(el('label', { className: 'cell' }, on, ' ' + enumName(c.args[0])));
      } else if (c.name === 'glBindTexture') {
        const names = Object.keys(Module.textureFiles).map(Number).sort((a, b) => a - b);
        const pick = labelled(el('select', {}, ...names.map((v) => el('option', { value: v, selected: v === c.args[1],
                                                                                      textContent: v + ' ' + Module.textureFiles[v] }))), 'texture');
        pick.addEventListener('change', () => set(1, Number(pick.value)));
        box.append(el('label', { className: 'cell' }, 'texture ', pick), texturePicture(c.args[1]));
      } else {
        // A GL name is a choice of the values GL takes there; a number, a cell.
        Object.entries(CHOICES[c.name] || {}).forEach(([k, values]) => {
          const pick = labelled(el('select', {}, ...values.map((v) => el('option', { value: v, textContent: enumName(v),
                                                                                    selected: v === c.args[k] }))), 'argument ' + (Number(k) + 1));
          pick.addEventListener('change', () => set(Number(k), Number(pick.value)));
          box.append(el('label', { className: 'cell' }, pick));
        });
        meaningsOf(c.name, c.args).forEach((m, k) => {
          if (m && k < c.args.length) box.append(numberCell(m[0], m[1], () => current(start, call).args[k], m[2], (v) => set(k, v)));
        });
      }
      if (!start) {
        const out = labelled(el('input', { type: 'checkbox', checked: edits().some((e) => e.leftOut && e.step === step) }), 'leave the step out');
        out.shows = () => edits().some((e) => e.leftOut && e.step === step);
        out.addEventListener('change', () => leaveOut(step, out.checked));
        box.append(el('label', { className: 'cell' }, out, ' leave out'));
      }
      if (box.querySelector('input[type="number"]')) box.append(el('p', { className: 'meaning', textContent: 'Drag a number sideways, or step it with the arrow keys (Shift: finer).' }));
      return box;
    }

    return { cellsFor, showEdits, syncCells };
  }

  return { make };
})();
