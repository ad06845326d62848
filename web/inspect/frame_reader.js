// The recorded frame as the page reads it out of the module: each step's
// call, its text and the chain of the program's functions (with their
// files and lines, from the build's line table) that made it; the calls
// that set the starting state; and the runs of steps one call of a
// function made.
'use strict';

window.InspectFrame = (function () {
  function make({ lines, stacks, countBuffer, callText }) {
    // The program's functions on a stack, outermost first, each with the file
    // and line it was at; `callee` is what the innermost one called.
    function chainOf(stack, callee) {
      const frames = [];
      for (const m of (stack || '').matchAll(/wasm-function\[(\d+)\]:0x([0-9a-f]+)/g))
        if (lines().functions[m[1]]) frames.unshift([lines().functions[m[1]], parseInt(m[2], 16)]);
      return frames.map(([fn, offset], k) => {
        const at = fn.lines;
        let lo = 0, hi = at.length / 3 - 1, found = 0;
        while (lo <= hi) {  // the last place at or before the offset
          const mid = (lo + hi) >> 1;
          if (at[mid * 3] <= offset) { found = mid; lo = mid + 1; } else hi = mid - 1;
        }
        const file = at[found * 3 + 1], line = at[found * 3 + 2];
        return { name: fn.name, file: lines().files[file], line: settle(file, line, k + 1 < frames.length ? frames[k + 1][0].name : callee) };
      });
    }

    // The line that calls `callee`: the one found, or one of the few after it
    // (a call that Binaryen left without a place takes the one before), or
    // before it; failing that, one that calls GLUT, which made the call.
    function settle(file, line, callee) {
      const calls = lines().calls[file] || {};
      for (const fits of [(n) => n === callee, (n) => n.startsWith('glut')])
        for (const d of [0, 1, 2, 3, 4, -1, -2])
          if ((calls[line + d] || []).some(fits)) return line + d;
      return line;
    }

    function heapInts(pointer, count) { return Array.from(HEAP32.subarray(pointer >> 2, (pointer >> 2) + count)); }
    function heapDoubles(pointer, count) { return Array.from(HEAPF64.subarray(pointer >> 3, (pointer >> 3) + count)); }

    // A call of the frame, or of the starting state, as the module has it.
    function readCall(index, start) {
      const count = countBuffer();
      const name = UTF8ToString(start ? Module._inspectStartName(index) : Module._inspectCallName(index));
      const at = start ? Module._inspectStartArgs(index, count) : Module._inspectCallArgs(index, count);
      return { name, args: heapDoubles(at, HEAP32[count >> 2]) };
    }

    // The recorded frame, read out of the module. A step a display list made
    // has the chain that compiled its call beside the one that called the list.
    function readSteps(count) {
      const ints = _malloc(4 * 5), listStacks = Module.listStacks || {};
      const out = [];
      for (let i = 0; i < count; i++) {
        Module._inspectStep(i, ints);
        const [first, last, primitive, , vertices] = heapInts(ints, 5);
        const { name, args } = readCall(first);
        const text = primitive && name === 'glBegin' ? callText(name, args) + ' \u2026 glEnd()' : callText(name, args);
        Module._inspectCallList(first, ints);
        const [list, position] = heapInts(ints, 2), compiled = list && (listStacks[list] || [])[position];
        out.push({ text, chain: chainOf(stacks()[i], name), primitive: primitive !== 0, vertices, first, last,
                   texture: name === 'glBindTexture' ? args[1] : -1,
                   list: list ? { list, chain: compiled ? chainOf(compiled, name) : [] } : null });
      }
      _free(ints);
      return out;
    }

    function readStarting() {
      const out = [];
      for (let i = 0, count = Module._inspectStartCount(); i < count; i++) {
        const call = readCall(i, true);
        out.push({ ...call, chain: chainOf((Module.keptStacks || {})[Module._inspectStartId(i)], call.name) });
      }
      return out;
    }

    // Runs of consecutive steps made in one function at one depth, called
    // from the same places: one call of it, as far as the stack can tell.
    function findRuns(steps) {
      const found = [], open = [];
      const key = (chain, depth) => chain.slice(0, depth).map((f) => f.name + '@' + f.line).join('>') + '>' +
                                    chain[depth].name;
      steps.forEach((s, i) => {
        for (let d = 1; d < s.chain.length; d++) {
          const k = key(s.chain, d);
          if (open[d] && open[d].key === k) { open[d].end = i; continue; }
          open[d] = { key: k, start: i, end: i, depth: d, name: s.chain[d].name };
          open.length = d + 1;
          found.push(open[d]);
        }
        open.length = Math.min(open.length, s.chain.length);
      });
      return found.filter((r) => r.end > r.start).map((r, index) => Object.assign(r, { index }));
    }

    return { chainOf, heapInts, heapDoubles, readCall, readSteps, readStarting, findRuns };
  }

  return { make };
})();
