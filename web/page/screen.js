// The window's size. Where the browser has room for the 800 x 600 window and
// the page around it, the canvas is that window. Where it has not (a phone, a
// small tablet, a narrow window) or in fullscreen, the canvas is the whole
// visible screen, its drawing buffer at the device's pixel ratio (at most 2),
// and every change of that size reaches the program as a window resize.
'use strict';

(function () {
  const canvas = document.getElementById('canvas');
  const root = document.documentElement;
  const WIDTH = 800, HEIGHT = 600, MARGIN = 16;
  let size = null;  // the drawing buffer's size in fill mode, else null
  let given = null;  // the window size the program has, once running

  function layout() {
    const view = window.visualViewport;
    const width = view ? view.width : window.innerWidth, height = view ? view.height : window.innerHeight;
    const fill = document.fullscreenElement != null ||
                 window.innerWidth < WIDTH + 2 * MARGIN || window.innerHeight < HEIGHT + 2 * MARGIN;
    root.classList.toggle('fill', fill);
    if (fill) {
      const ratio = Math.min(window.devicePixelRatio || 1, 2);
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
      size = [Math.round(width * ratio), Math.round(height * ratio)];
    } else {
      canvas.style.width = canvas.style.height = '';
      size = null;
    }
    // One resize for each new size, whichever side changed, and none for
    // the same size again (the window and the visual viewport both tell);
    // also while the inspector holds the house, whose frame it records anew.
    const [w, h] = size || [WIDTH, HEIGHT];
    if (Module.started() && given && (given[0] !== w || given[1] !== h)) {
      given = [w, h];
      Module._tarnvaleResize(w, h);
    }
  }

  // Asked once as the program's window first shows.
  Module.windowSize = () => {
    given = size || [WIDTH, HEIGHT];
    return size;
  };

  window.addEventListener('resize', layout);
  if (window.visualViewport) window.visualViewport.addEventListener('resize', layout);
  document.addEventListener('fullscreenchange', layout);
  layout();

  const button = document.getElementById('fullscreen');
  button.addEventListener('click', () => {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (root.requestFullscreen) root.requestFullscreen().catch(() => {});
  });
})();
