// Touch as the keys and the mouse: every control becomes the GLUT call that
// a key press or a mouse button makes, so the program cannot tell them apart.
// One finger on the canvas drags as the left button does; two zoom as z and
// x do; a long press opens the menu as the right button does. The walk pad
// is the arrow keys, repeating while held as a held key does.
'use strict';

(function () {
  const canvas = document.getElementById('canvas');
  const root = document.documentElement;
  const LEFT_BUTTON = 0, DOWN = 0, UP = 1;
  // Two fingers zoom as z and x do, on a page that has them (a program's
  // own page says data-pinch="none").
  const PINCH = root.dataset.pinch !== 'none';
  const LONG_PRESS_MS = 500, STILL_PX = 10, PINCH_STEP_PX = 40, FIRST_REPEAT_MS = 400, REPEAT_MS = 33;

  const showControls = () => root.classList.add('touch');
  if (window.matchMedia('(pointer: coarse)').matches) showControls();
  window.addEventListener('touchstart', showControls, { capture: true, passive: true });

  // A page position in the canvas's own pixels, as the mouse's reach GLUT.
  function canvasPoint(touch) {
    const r = canvas.getBoundingClientRect(), scale = canvas.width / r.width;
    return [Math.trunc((touch.clientX - r.left) * scale), Math.trunc((touch.clientY - r.top) * scale)];
  }

  const spread = (touches) => Math.hypot(touches[0].clientX - touches[1].clientX, touches[0].clientY - touches[1].clientY);

  let drag = null;   // {id, x, y, startX, startY, timer}: the finger that drags
  let pinch = null;  // {distance}: the finger distance last turned into a key

  function endDrag() {
    if (!drag) return;
    clearTimeout(drag.timer);
    if (drag.down) Module._tarnvaleMouse(LEFT_BUTTON, UP, drag.x, drag.y);
    drag = null;
  }

  canvas.addEventListener('touchstart', (e) => {
    e.preventDefault();
    if (!Module.running()) return;
    if (e.touches.length === 1) {
      const t = e.touches[0], [x, y] = canvasPoint(t);
      drag = { id: t.identifier, x, y, startX: t.clientX, startY: t.clientY, down: true };
      Module._tarnvaleMouse(LEFT_BUTTON, DOWN, x, y);
      // Held still: the menu, at the finger, and no drag.
      drag.timer = setTimeout(() => {
        endDrag();
        Module._tarnvaleMenuAt(t.clientX, t.clientY);
      }, LONG_PRESS_MS);
    } else if (e.touches.length === 2 && PINCH) {
      endDrag();
      pinch = { distance: spread(e.touches) };
    }
  }, { passive: false });

  canvas.addEventListener('touchmove', (e) => {
    e.preventDefault();
    if (!Module.running()) return;
    if (pinch && e.touches.length === 2) {
      const d = spread(e.touches);
      for (; d - pinch.distance >= PINCH_STEP_PX; pinch.distance += PINCH_STEP_PX) Module._tarnvaleKey(122);  // z
      for (; pinch.distance - d >= PINCH_STEP_PX; pinch.distance -= PINCH_STEP_PX) Module._tarnvaleKey(120);  // x
      return;
    }
    const t = drag && Array.from(e.changedTouches).find((c) => c.identifier === drag.id);
    if (!t) return;
    if (Math.hypot(t.clientX - drag.startX, t.clientY - drag.startY) > STILL_PX) clearTimeout(drag.timer);
    [drag.x, drag.y] = canvasPoint(t);
    Module._tarnvaleMotion(drag.x, drag.y);
  }, { passive: false });

  const lift = (e) => {
    e.preventDefault();
    if (drag && Array.from(e.changedTouches).some((c) => c.identifier === drag.id)) endDrag();
    if (e.touches.length < 2) pinch = null;
  };
  canvas.addEventListener('touchend', lift, { passive: false });
  canvas.addEventListener('touchcancel', lift, { passive: false });

  // The walk pad: a press at once, then repeats after a pause while held;
  // lifting the finger or sliding it off stops at once.
  for (const button of document.querySelectorAll('#pad button')) {
    const key = Number(button.dataset.special);
    let timer = 0;
    const press = () => { if (Module.running()) Module._tarnvaleSpecial(key); else stop(); };
    const stop = () => { clearTimeout(timer); clearInterval(timer); timer = 0; button.classList.remove('held'); };
    button.addEventListener('pointerdown', (e) => {
      e.preventDefault();
      if (button.hasPointerCapture(e.pointerId)) button.releasePointerCapture(e.pointerId);  // so sliding off is seen
      stop();
      button.classList.add('held');
      press();
      // As a held key: the first repeat after the pause, then steadily.
      timer = setTimeout(() => {
        press();
        if (timer) timer = setInterval(press, REPEAT_MS);  // unless that press stopped it
      }, FIRST_REPEAT_MS);
    });
    for (const end of ['pointerup', 'pointercancel', 'pointerleave']) button.addEventListener(end, stop);
  }

  // The other keys, folded away until asked for.
  for (const button of document.querySelectorAll('#keylist button'))
    button.addEventListener('click', () => { if (Module.running()) Module._tarnvaleKey(button.dataset.key.charCodeAt(0)); });
  const fold = document.getElementById('fold'), list = document.getElementById('keylist');
  fold?.addEventListener('click', () => {
    list.hidden = !list.hidden;
    fold.setAttribute('aria-expanded', String(!list.hidden));
  });
  document.getElementById('controls')?.addEventListener('contextmenu', (e) => e.preventDefault());
})();
