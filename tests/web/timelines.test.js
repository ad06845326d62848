// The page's input held to time: its own scripts (touch.js, screen.js,
// menu.js) run in jsdom against a recording stand-in for the program's
// exported entry points, on a clock the test moves. A row is the events and
// the times they come at, then the exact calls the program gets, with their
// times, and nothing more.
//   NODE_PATH=/usr/share/nodejs node --test tests/web/timelines.test.js
'use strict';

const { test, mock } = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { JSDOM } = require('jsdom');

const WEB = path.join(__dirname, '..', '..', 'web', 'page');
const HTML = fs.readFileSync(path.join(WEB, 'index.html'), 'utf8');
const SCRIPTS = ['menu.js', 'screen.js', 'touch.js'].map((f) => fs.readFileSync(path.join(WEB, f), 'utf8'));
const PHONE = { width: 844, height: 390, ratio: 2, coarse: true };
const DESKTOP = { width: 1200, height: 1000, ratio: 1, coarse: false };
const UP = 101, DOWN = 103;  // GLUT's arrow keys, as the walk pad sends them

// A fresh page on a screen, its program running from time 0, and the calls
// it makes; times are in milliseconds on the test's clock.
function page(screen) {
  const dom = new JSDOM(HTML, { runScripts: 'outside-only', pretendToBeVisual: true });
  const w = dom.window;
  for (const api of ['setTimeout', 'clearTimeout', 'setInterval', 'clearInterval']) w[api] = globalThis[api];
  Object.assign(w, { innerWidth: screen.width, innerHeight: screen.height, devicePixelRatio: screen.ratio,
                     matchMedia: () => ({ matches: screen.coarse }) });
  w.HTMLElement.prototype.hasPointerCapture = () => false;
  const canvas = w.document.getElementById('canvas');
  canvas.getBoundingClientRect = () => ({ left: 0, top: 0, width: parseFloat(canvas.style.width) || 800,
                                          height: parseFloat(canvas.style.height) || 600 });
  const calls = [];
  const note = (name) => (...args) => calls.push([Date.now(), name, ...args]);
  let running = false;
  w.Module = {
    running: () => running, started: () => running,
    _tarnvaleMouse: note('mouse'), _tarnvaleMotion: note('motion'), _tarnvaleKey: note('key'),
    _tarnvaleSpecial: note('special'), _tarnvaleMenuAt: note('menu'), _tarnvaleMenuSelect: note('select'),
    // As the GLUT layer does: the canvas takes the new size.
    _tarnvaleResize: (width, height) => { note('resize')(width, height); canvas.width = width; canvas.height = height; },
  };
  for (const script of SCRIPTS) w.eval(script);
  // The program's window is made at the page's size, then it runs.
  const [width, height] = w.Module.windowSize() || [800, 600];
  Object.assign(canvas, { width, height });
  running = true;
  return { w, calls, canvas };
}

// A finger event on the canvas: `down` are the fingers on the glass after
// it, `changed` those it is about, each [id, x, y] in CSS pixels.
function touch(p, type, down, changed = down) {
  const e = new p.w.Event(type, { bubbles: true, cancelable: true });
  const list = (fingers) => fingers.map(([identifier, clientX, clientY]) => ({ identifier, clientX, clientY }));
  Object.assign(e, { touches: list(down), changedTouches: list(changed) });
  p.canvas.dispatchEvent(e);
}

function pointer(p, selector, type) {
  const e = new p.w.Event(type, { bubbles: true, cancelable: true });
  e.pointerId = 1;
  p.w.document.querySelector(selector).dispatchEvent(e);
}

const pad = (key) => `#pad [data-special="${key}"]`;

// The menu with GLUT's two entries open, then a button released over the
// second: as in GLUT, a press, a move to the entry and the release choose it.
const menuRelease = (button) => [[0, (p) => {
  p.w.Module.addMenuEntry('Inside', 1);
  p.w.Module.addMenuEntry('Outside', 2);
  p.w.Module.showMenu(10, 10);
}], [50, (p) => p.w.document.querySelector('#menu li:nth-child(2)').dispatchEvent(
  new p.w.MouseEvent('mouseup', { bubbles: true, button }))]];

// Runs a row's events at their times, then the clock on to `until`, a
// millisecond at a time so that each timer's calls carry its own time.
function play(screen, events, until) {
  mock.timers.enable({ apis: ['setTimeout', 'setInterval', 'Date'], now: 0 });
  const to = (t) => { while (Date.now() < t) mock.timers.tick(1); };
  try {
    const p = page(screen);
    for (const [at, act] of events) {
      to(at);
      act(p);
    }
    to(until);
    return p.calls;
  } finally {
    mock.timers.reset();
  }
}

// The walk pad's press at `from`, then its repeats until `to`: the first
// after 400 ms, then one each 33 ms.
function repeats(key, from, to) {
  const out = [[from, 'special', key]];
  for (let t = from + 400; t < to; t += 33) out.push([t, 'special', key]);
  return out;
}

// On the phone held sideways at ratio 2: a finger at (x, y) CSS pixels is
// (2x, 2y) in the canvas's own pixels.
const touchRows = [
  ['a tap: press and release, and no menu however long after',
    [[0, (p) => touch(p, 'touchstart', [[0, 100, 100]])], [80, (p) => touch(p, 'touchend', [], [[0, 100, 100]])]], 3000,
    [[0, 'mouse', 0, 0, 200, 200], [80, 'mouse', 0, 1, 200, 200]]],
  ['a long press: the menu at the finger after half a second, and the house not turned',
    [[0, (p) => touch(p, 'touchstart', [[0, 100, 100]])], [300, (p) => touch(p, 'touchmove', [[0, 104, 103]])],
     [900, (p) => touch(p, 'touchend', [], [[0, 104, 103]])]], 3000,
    [[0, 'mouse', 0, 0, 200, 200], [300, 'motion', 208, 206], [500, 'mouse', 0, 1, 208, 206], [500, 'menu', 100, 100]]],
  ['a press that moves past the slack is a drag, with no menu',
    [[0, (p) => touch(p, 'touchstart', [[0, 100, 100]])], [100, (p) => touch(p, 'touchmove', [[0, 112, 100]])],
     [1200, (p) => touch(p, 'touchend', [], [[0, 112, 100]])]], 3000,
    [[0, 'mouse', 0, 0, 200, 200], [100, 'motion', 224, 200], [1200, 'mouse', 0, 1, 224, 200]]],
  ['a second finger mid-drag ends the drag with a button release, then pinches',
    [[0, (p) => touch(p, 'touchstart', [[0, 100, 100]])], [100, (p) => touch(p, 'touchmove', [[0, 130, 100]])],
     [200, (p) => touch(p, 'touchstart', [[0, 130, 100], [1, 230, 100]], [[1, 230, 100]])],
     [300, (p) => touch(p, 'touchmove', [[0, 130, 100], [1, 275, 100]])],
     [400, (p) => touch(p, 'touchend', [], [[0, 130, 100], [1, 275, 100]])]], 3000,
    [[0, 'mouse', 0, 0, 200, 200], [100, 'motion', 260, 200], [200, 'mouse', 0, 1, 260, 200], [300, 'key', 122]]],
  ['a pinch in steps: one z or x a step, none for part of one, none after the lift',
    [[0, (p) => touch(p, 'touchstart', [[0, 150, 100], [1, 240, 100]])],
     [100, (p) => touch(p, 'touchmove', [[0, 150, 100], [1, 260, 100]])],   // 110 apart: part of a step
     [200, (p) => touch(p, 'touchmove', [[0, 150, 100], [1, 280, 100]])],   // 130: one step out
     [300, (p) => touch(p, 'touchmove', [[0, 150, 100], [1, 325, 100]])],   // 175: one more, 5 over
     [400, (p) => touch(p, 'touchmove', [[0, 150, 100], [1, 245, 100]])],   // 95: one step in
     [500, (p) => touch(p, 'touchend', [], [[0, 150, 100], [1, 245, 100]])],
     [600, (p) => touch(p, 'touchmove', [[1, 400, 100]])]], 2000,
    [[200, 'key', 122], [300, 'key', 122], [400, 'key', 120]]],
  ['a pad tap: one press', [[0, (p) => pointer(p, pad(UP), 'pointerdown')], [90, (p) => pointer(p, pad(UP), 'pointerup')]],
    2000, [[0, 'special', UP]]],
  ['a pad held: the first repeat after 400 ms, then about 30 a second',
    [[0, (p) => pointer(p, pad(DOWN), 'pointerdown')], [2000, (p) => pointer(p, pad(DOWN), 'pointerup')]], 4000,
    repeats(DOWN, 0, 2000)],
  ...['pointerup', 'pointercancel', 'pointerleave'].map((end) => [
    `a pad held, then ${end}: the repeat stops at once and for good`,
    [[0, (p) => pointer(p, pad(UP), 'pointerdown')], [700, (p) => pointer(p, pad(UP), end)]], 3000, repeats(UP, 0, 700)]),
  ['a pad pressed again while held starts over', [[0, (p) => pointer(p, pad(UP), 'pointerdown')],
    [500, (p) => pointer(p, pad(UP), 'pointerdown')], [800, (p) => pointer(p, pad(UP), 'pointerup')]], 2000,
    [...repeats(UP, 0, 500), ...repeats(UP, 500, 800)]],
  ...[['left', 0], ['right', 2]].map(([name, button]) => [`the ${name} button released over a menu entry chooses it`,
    menuRelease(button), 1000, [[50, 'select', 2]]]),
  // Every key of the folded group: one call each, with the key's character.
  ...['1', '2', '3', 'p', 'd', 'l', 't', 'f', 'q'].map((key) => [`the key button ${key}`,
    [[0, (p) => p.w.document.querySelector(`#keylist [data-key="${key}"]`).click()]], 1000,
    [[0, 'key', key.charCodeAt(0)]]]),
];

test('touch and the on-screen keys make exactly their calls, at their times', () => {
  for (const [name, events, until, calls] of touchRows)
    assert.deepStrictEqual(play(PHONE, events, until), calls, name);
});

// A change of the screen or the window, then the resizes the program gets.
const resize = (changes) => (p) => {
  Object.assign(p.w, changes);
  p.w.dispatchEvent(new p.w.Event('resize'));
};
const fullscreen = (element) => (p) => {
  Object.defineProperty(p.w.document, 'fullscreenElement', { value: element ? p.w.document.documentElement : null,
                                                             configurable: true });
  p.w.document.dispatchEvent(new p.w.Event('fullscreenchange'));
};
const sizeRows = [
  ['the phone turned: both sides', PHONE, [resize({ innerWidth: 390, innerHeight: 844 })], [[1, 'resize', 780, 1688]]],
  ['the browser\'s bars shown: the height alone', PHONE, [resize({ innerHeight: 330 })], [[1, 'resize', 1688, 660]]],
  ['a narrower window on the phone: the width alone', PHONE, [resize({ innerWidth: 700 })], [[1, 'resize', 1400, 780]]],
  ['a change and back', PHONE, [resize({ innerHeight: 330 }), resize({ innerHeight: 390 })],
    [[1, 'resize', 1688, 660], [2, 'resize', 1688, 780]]],
  ['nothing changed', PHONE, [resize({}), resize({ innerWidth: 844 })], []],
  ['the pixel ratio changed', { ...PHONE, ratio: 1 }, [resize({ devicePixelRatio: 2 })], [[1, 'resize', 1688, 780]]],
  ['a ratio past 2 is 2', PHONE, [resize({ devicePixelRatio: 3 })], []],
  ['a desktop window narrowed below the page', DESKTOP, [resize({ innerWidth: 820 })], [[1, 'resize', 820, 1000]]],
  ['a desktop window still wide enough', DESKTOP, [resize({ innerWidth: 900, innerHeight: 700 })], []],
  ['fullscreen in and out', DESKTOP, [fullscreen(true), fullscreen(false)],
    [[1, 'resize', 1200, 1000], [2, 'resize', 800, 600]]],
];

test('every change of size is one resize to the new drawing buffer, and no change none', () => {
  for (const [name, screen, changes, calls] of sizeRows) {
    const events = changes.map((change, k) => [k + 1, change]);
    assert.deepStrictEqual(play(screen, events, 100), calls, name);
  }
});
