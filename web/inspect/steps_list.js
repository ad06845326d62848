// The list of steps and the starting state's calls: each item with its call
// and the chain of functions (with their files and lines) that made it,
// runs of one function's steps folded and unfolded, the keys that move
// through the steps that show, and each pane scrolled to what it shows.
'use strict';

window.InspectStepsList = (function () {
  function make({ el, labelled, callText, list, startList }) {
    function chainRow(chain, foldable) {
      const row = el('div', { className: 'chain' });
      chain.forEach((f, d) => {
        if (d) row.append(' > ');
        const run = foldable && foldable(d);
        const name = run ? el('button', { type: 'button', className: 'fold', textContent: f.name })
                         : el('span', { textContent: f.name });
        name.title = f.file + ':' + f.line;
        if (run) {
          name.dataset.run = run.index;
          name.setAttribute('aria-expanded', 'true');
          labelled(name, 'fold ' + f.name + ', ' + (run.end - run.start + 1) + ' steps');
        }
        row.append(name);
      });
      const where = chain[chain.length - 1];
      if (where) row.append(el('span', { className: 'where', textContent: '  ' + where.file + ':' + where.line }));
      return row;
    }

    function fill(steps, runs, starting) {
      const runAt = new Map(runs.map((r) => [r.start + ':' + r.depth, r]));
      const items = steps.map((s, i) => {
        const li = el('li', { tabIndex: -1 });
        li.dataset.step = i;
        const head = el('div', { className: 'head' }, el('span', { className: 'n', textContent: i + 1 }), ' ',
                        el('code', { textContent: s.text }));
        if (s.primitive && s.vertices) head.append(el('span', { className: 'count', textContent: ' ' + s.vertices + ' vertices' }));
        if (s.texture >= 0 && Module.textureFiles[s.texture])
          head.append(el('span', { className: 'file', textContent: ' ' + Module.textureFiles[s.texture] }));
        li.append(head, chainRow(s.chain, (d) => runAt.get(i + ':' + d)));
        if (s.list) {  // the line that compiled it into its list
          const where = s.list.chain[s.list.chain.length - 1];
          li.append(el('div', { className: 'chain list', textContent: 'in list ' + s.list.list + (where ?
            ', compiled by ' + s.list.chain.map((f) => f.name).join(' > ') + '  ' + where.file + ':' + where.line : '') }));
        }
        return li;
      });
      list().replaceChildren(...items);
      const startItems = starting.map((s, i) => {
        const li = el('li', { tabIndex: -1 });
        li.dataset.start = i;
        li.append(el('div', { className: 'head' }, el('code', { textContent: callText(s.name, s.args) })), chainRow(s.chain));
        return li;
      });
      startList().replaceChildren(...startItems);
      return { items, startItems };
    }

    function showFolds(items, runs, folded) {
      const hidden = new Array(items.length).fill(false);
      for (const r of folded) for (let i = r.start + 1; i <= r.end; i++) hidden[i] = true;
      items.forEach((li, i) => { if (li.hidden !== hidden[i]) li.hidden = hidden[i]; });
      for (const button of list().querySelectorAll('button.fold'))
        button.setAttribute('aria-expanded', String(!folded.has(runs[Number(button.dataset.run)])));
      const top = runs.filter((r) => r.depth === 1);
      document.getElementById('inspect-fold').setAttribute('aria-pressed', String(top.length > 0 && top.every((r) => folded.has(r))));
    }

    // Up and down move through the steps that show (from a step just folded
    // away, to the nearest that shows); Home and End go to the first and the
    // last.
    function onListKey(e, items, chosen, choose) {
      const shown = items.filter((li) => !li.hidden).map((li) => Number(li.dataset.step));
      let at = shown.indexOf(chosen);
      if (at < 0) {  // folded away: between the shown steps about it
        const after = shown.findIndex((s) => s > chosen);
        at = (after < 0 ? shown.length : after) - (e.key === 'ArrowDown' || e.key === 'PageDown' ? 1 : 0);
      }
      const to = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: shown.length - 1,
                   PageDown: at + 20, PageUp: at - 20 }[e.key];
      if (to === undefined || e.target.closest('.cells')) return;
      e.preventDefault();
      choose(shown[Math.max(0, Math.min(shown.length - 1, to))]);
    }

    // Scrolls a pane of the inspector, and nothing else, to show an element
    // whole (in its middle when it was out of sight).
    function reveal(element, pane = list()) {
      const top = element.getBoundingClientRect().top - pane.getBoundingClientRect().top + pane.scrollTop;
      if (top < pane.scrollTop || top + element.offsetHeight > pane.scrollTop + pane.clientHeight)
        pane.scrollTop = top - (pane.clientHeight - element.offsetHeight) / 2;
    }

    return { fill, showFolds, onListKey, reveal };
  }

  return { make };
})();
