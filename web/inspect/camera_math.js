// The inspector's matrix maths, shared by the pipeline table and the view
// from outside: one multiply, one inverse, and the two cameras' matrices.
'use strict';

window.InspectMath = (function () {
  // 4 x 4 matrices as GL keeps them, column by column.
  const mul = (a, b) => Array.from({ length: 16 }, (_, i) =>
    [0, 1, 2, 3].reduce((sum, k) => sum + a[k * 4 + (i % 4)] * b[(i >> 2) * 4 + k], 0));
  const apply = (m, v) => [0, 1, 2, 3].map((r) => m[r] * v[0] + m[4 + r] * v[1] + m[8 + r] * v[2] + m[12 + r] * v[3]);
  function invert(a) {  // Gauss-Jordan with partial pivoting; null for a singular matrix
    const m = [0, 1, 2, 3].map((r) => [0, 1, 2, 3].map((c) => a[c * 4 + r]).concat([0, 1, 2, 3].map((c) => +(r === c))));
    for (let c = 0; c < 4; c++) {
      let p = c;
      for (let r = c + 1; r < 4; r++) if (Math.abs(m[r][c]) > Math.abs(m[p][c])) p = r;
      if (!m[p][c]) return null;
      [m[c], m[p]] = [m[p], m[c]];
      const scale = m[c][c];
      m[c] = m[c].map((x) => x / scale);
      for (let r = 0; r < 4; r++) if (r !== c) { const f = m[r][c]; m[r] = m[r].map((x, k) => x - f * m[c][k]); }
    }
    return Array.from({ length: 16 }, (_, i) => m[i % 4][4 + (i >> 2)]);
  }
  function perspective(fovy, aspect, near, far) {
    const f = 1 / Math.tan(fovy * Math.PI / 360);
    return [f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (far + near) / (near - far), -1, 0, 0, 2 * far * near / (near - far), 0];
  }
  function lookAt(eye, center) {  // up is the eye's +y
    const norm = (v) => { const l = Math.hypot(...v); return v.map((x) => x / l); };
    const cross = (a, b) => [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
    const f = norm(center.map((c, i) => c - eye[i])), s = norm(cross(f, [0, 1, 0])), u = cross(s, f);
    const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return [s[0], u[0], -f[0], 0, s[1], u[1], -f[1], 0, s[2], u[2], -f[2], 0, -dot(s, eye), -dot(u, eye), dot(f, eye), 1];
  }

  return { mul, apply, invert, perspective, lookAt };
})();
