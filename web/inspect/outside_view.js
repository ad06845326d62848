// The view from outside: the frame up to a step, seen by a second camera
// that orbits the eye, with the eye's view volume drawn over it.
'use strict';

window.InspectOutside = (function () {
  const { mul, apply, invert, perspective, lookAt } = window.InspectMath;

  // From outside: a camera orbiting a point 3 units before the eye, in the
  // eye's own space; the eye's view volume in yellow, the eye at its apex
  // in white. The module takes the frame there from the eye's clip space.
  function draw(chosen, outside, outline) {
    const state = _malloc(4 * 50);
    Module._inspectState(chosen, state);
    const v = Array.from(HEAPF32.subarray(state >> 2, (state >> 2) + 50));
    _free(state);
    const toEye = invert(v.slice(16, 32)), [, , width, height] = v.slice(32, 36);
    if (!toEye) return;
    const { yaw, pitch, distance } = outside, rad = Math.PI / 180, target = [0, 0, -3];
    const eye = [distance * Math.cos(pitch * rad) * Math.sin(yaw * rad), distance * Math.sin(pitch * rad),
                 target[2] + distance * Math.cos(pitch * rad) * Math.cos(yaw * rad)];
    const camera = mul(perspective(50, height ? width / height : 1, 0.05, 1000), lookAt(eye, target));
    const corner = (i) => {
      const e = apply(toEye, [i & 1 ? 1 : -1, i & 2 ? 1 : -1, i & 4 ? 1 : -1, 1]);
      return apply(camera, e.map((x) => x / e[3]));
    };
    const ends = [];
    const line = (a, b, colour) => ends.push(...a, ...colour, ...b, ...colour);
    for (let i = 0; i < 8; i++) for (const bit of [1, 2, 4]) if (!(i & bit)) line(corner(i), corner(i | bit), [1, 0.85, 0.2]);
    for (let i = 0; i < 4; i++) line(apply(camera, [0, 0, 0, 1]), corner(i), [1, 1, 1]);
    const buffer = _malloc(4 * (16 + ends.length));
    HEAPF32.set(mul(camera, toEye), buffer >> 2);
    HEAPF32.set(ends, (buffer >> 2) + 16);
    Module._inspectDrawThrough(chosen, buffer, outline, buffer + 64, ends.length / 14);
    _free(buffer);
  }

  return { draw };
})();
