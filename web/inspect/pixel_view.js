// Pixel history's view: for a pixel of the frozen frame, every step that
// reached it, each with why it shows or does not (seen, covered by a later
// step, hidden by the depth test, culled), and a ring over the pixel.
'use strict';

window.InspectPixelHistory = (function () {
  const canvas = document.getElementById('canvas');
  const FATES = ['seen', 'covered', 'hidden', 'culled', 'alpha', 'blended'];

  function make({ el, heapInts, reveal, timings, step: stepOf, list, mark, picked }) {
    // The history of a pixel of the frozen frame, in the canvas's pixels.
    function pixel(x, y) {
      const start = performance.now();
      const count = Module._inspectPixel(x, y);
      const entries = heapInts(Module._inspectPixelEntries(), 4 * count);
      const historyList = list();
      historyList.textContent = '';
      document.getElementById('inspect-pixel').textContent =
        'Pixel (' + x + ', ' + y + ') from the top left: ' + (count ? count + ' primitives reached it.' : 'only the clear.');
      for (let k = 0; k < count; k++) {
        const [step, fate, other] = entries.slice(4 * k, 4 * k + 4);
        const s = stepOf(step), f = s.chain[s.chain.length - 1];
        const what = [
          'seen',
          'drawn, then covered by step ' + (other + 1),
          'hidden by the depth test behind step ' + (other + 1),
          'culled as a back face',
          'failed the alpha test',
          'drawn, then blended under step ' + (other + 1)][fate];
        const button = el('button', { type: 'button', textContent: 'step ' + (step + 1) + ' \u00b7 ' +
          (f ? f.name + ' ' + f.file + ':' + f.line : '') + ' \u00b7 ' + s.text + ' \u00b7 ' + what });
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
      const ring = mark(), fixedMark = getComputedStyle(ring).position === 'fixed';
      Object.assign(ring.style, { display: 'block', left: (r.left + (fixedMark ? 0 : window.scrollX) + (x + 0.5) * scale) + 'px',
                                  top: (r.top + (fixedMark ? 0 : window.scrollY) + (y + 0.5) * scale) + 'px' });
      picked([x, y]);
    }

    return { pixel, placeMark };
  }

  return { make };
})();
