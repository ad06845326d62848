// The inspector's elements: one function that makes them, one that brings
// a shown panel up to date with a new one, and the number cell a learner
// types, steps or drags to change one argument of a call.
'use strict';

window.InspectCells = (function () {
  const { number } = window.InspectTables;

  function el(tag, props, ...children) {
    const e = document.createElement(tag);
    Object.assign(e, props || {});
    for (const c of children) e.append(c);
    return e;
  }

  // Brings `from` to look as `to` does, touching only what differs, so that
  // a panel shown anew at each edit of a drag costs the browser little: the
  // same kind of element with as many children is kept and brought up to
  // date, anything else replaced. Elements with listeners are replaced.
  function morph(from, to) {
    if (from.nodeType === 3 && to.nodeType === 3) {
      if (from.data !== to.data) from.data = to.data;
      return;
    }
    if (from.nodeName !== to.nodeName || from.childNodes.length !== to.childNodes.length || to.live ||
        from.nodeName === 'CANVAS' && from.dataset.texture !== to.dataset.texture) {
      from.replaceWith(to);
      return;
    }
    for (const { name, value } of to.attributes) if (from.getAttribute(name) !== value) from.setAttribute(name, value);
    const targets = [...to.childNodes];  // a child replaced leaves `to`
    [...from.childNodes].forEach((child, k) => morph(child, targets[k]));
  }

  function labelled(e, label) {
    e.setAttribute('aria-label', label);
    return e;
  }

  // A number to try: typed, stepped with the arrow keys (finer with Shift),
  // or dragged sideways with a mouse or a finger.
  function numberCell(name, meaning, value, step, change) {
    const input = labelled(el('input', { type: 'number', value: number(value()), step: 'any', title: meaning }), name);
    input.setAttribute('role', 'spinbutton');
    input.shows = value;
    const tell = () => { const line = input.closest('.cells')?.querySelector('.meaning'); if (line) line.textContent = name + ': ' + meaning; };
    input.addEventListener('focus', tell);
    input.addEventListener('pointerenter', tell);
    input.addEventListener('change', () => { const v = parseFloat(input.value); if (Number.isFinite(v)) change(v); });
    input.addEventListener('keydown', (e) => {
      const sign = { ArrowUp: 1, ArrowDown: -1 }[e.key];
      if (!sign) return;
      e.preventDefault();
      e.stopPropagation();
      const v = Number((parseFloat(input.value) + sign * (e.shiftKey ? step / 10 : step)).toPrecision(8));
      input.value = number(v);
      change(v);
    });
    let drag = null;
    input.addEventListener('pointerdown', (e) => { drag = { x: e.clientX, value: parseFloat(input.value), moved: false, id: e.pointerId }; });
    input.addEventListener('pointermove', (e) => {
      if (!drag || e.pointerId !== drag.id) return;
      const dx = e.clientX - drag.x;
      if (!drag.moved && Math.abs(dx) < 4) return;
      if (!drag.moved) { drag.moved = true; input.setPointerCapture(e.pointerId); }
      e.preventDefault();
      const v = Number((drag.value + Math.round(dx / 4) * (e.shiftKey ? step / 10 : step)).toPrecision(8));
      if (v !== parseFloat(input.value)) { input.value = number(v); change(v); }
    });
    const end = () => { drag = null; };
    input.addEventListener('pointerup', end);
    input.addEventListener('pointercancel', end);
    const cell = el('label', { className: 'cell' }, el('span', { textContent: name }), input);
    cell.live = true;  // its listeners hold its call
    return cell;
  }

  return { el, morph, labelled, numberCell };
})();
