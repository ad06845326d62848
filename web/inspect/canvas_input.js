// The frozen canvas while the inspector is open: a click or a tap asks for
// a pixel's history, and the keyboard's arrows move a cross that Enter
// asks for; from outside, a drag, two fingers, the wheel or the keys orbit
// the second camera.
'use strict';

window.InspectCanvas = (function () {
  const canvas = document.getElementById('canvas');

  function make({ isOpen, outside, draw, pixel, placeMark, pickAt, timings }) {
    function canvasPixel(e) {
      const r = canvas.getBoundingClientRect();
      return [Math.floor((e.clientX - r.left) * canvas.width / r.width), Math.floor((e.clientY - r.top) * canvas.height / r.height)];
    }

    // A click or a tap on the frozen house asks for that pixel; with the
    // keyboard, the arrows move a cross over the canvas and Enter asks. From
    // outside, a drag orbits the camera, two fingers or the wheel bring it
    // nearer or further, and so do the arrows and + and -.
    const pointers = new Map();
    let down = null;
    function onPointerDown(e) {
      if (!isOpen()) return;
      pointers.set(e.pointerId, [e.clientX, e.clientY]);
      down = [e.clientX, e.clientY];
    }
    function onPointerMove(e) {
      if (!isOpen() || !outside() || !pointers.has(e.pointerId)) return;
      const [px, py] = pointers.get(e.pointerId);
      if (pointers.size === 2) {
        const [a, b] = [...pointers.values()];
        const before = Math.hypot(a[0] - b[0], a[1] - b[1]);
        pointers.set(e.pointerId, [e.clientX, e.clientY]);
        const [c, d] = [...pointers.values()];
        orbit(0, 0, before / Math.max(1, Math.hypot(c[0] - d[0], c[1] - d[1])));
      } else {
        pointers.set(e.pointerId, [e.clientX, e.clientY]);
        orbit((e.clientX - px) * -0.4, (e.clientY - py) * 0.4, 1);
      }
      e.preventDefault();
    }
    function onPointerUp(e) {
      pointers.delete(e.pointerId);
      if (!isOpen() || outside() || !down || Math.hypot(e.clientX - down[0], e.clientY - down[1]) > 10) return;
      down = null;
      e.preventDefault();
      pixel(...canvasPixel(e));
    }
    function onWheel(e) {
      if (!isOpen() || !outside()) return;
      e.preventDefault();
      orbit(0, 0, Math.exp(e.deltaY * 0.001));
    }
    function orbit(yaw, pitch, scale) {
      const o = outside();
      o.yaw = (o.yaw + yaw) % 360;
      o.pitch = Math.max(-89, Math.min(89, o.pitch + pitch));
      o.distance = Math.max(0.5, Math.min(400, o.distance * scale));
      const start = performance.now();
      draw();
      timings.orbit = performance.now() - start;
    }
    function onCanvasKey(e) {
      if (!isOpen()) return;
      if (outside()) {
        const turn = { ArrowLeft: [5, 0, 1], ArrowRight: [-5, 0, 1], ArrowUp: [0, 5, 1], ArrowDown: [0, -5, 1],
                       '+': [0, 0, 0.9], '=': [0, 0, 0.9], '-': [0, 0, 1.1] }[e.key];
        if (turn) { e.preventDefault(); orbit(...turn); }
        return;
      }
      const step = e.shiftKey ? 10 : 1;
      const move = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step], ArrowDown: [0, step] }[e.key];
      const [x, y] = pickAt() || [canvas.width >> 1, canvas.height >> 1];
      if (move) {
        e.preventDefault();
        placeMark(Math.max(0, Math.min(canvas.width - 1, x + move[0])), Math.max(0, Math.min(canvas.height - 1, y + move[1])));
      } else if (e.key === 'Enter' || e.key === ' ') {
        e.preventDefault();
        pixel(...(pickAt() || [x, y]));
      }
    }

    canvas.addEventListener('pointerdown', onPointerDown);
    canvas.addEventListener('pointermove', onPointerMove);
    canvas.addEventListener('pointerup', onPointerUp);
    canvas.addEventListener('pointercancel', (e) => pointers.delete(e.pointerId));
    canvas.addEventListener('wheel', onWheel, { passive: false });
    canvas.addEventListener('keydown', onCanvasKey);
  }

  return { make };
})();
