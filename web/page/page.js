// The program's side of the page: where its output goes, how its end shows,
// and the Module object through which emscripten runs it.
'use strict';

const output = document.getElementById('output');

// exit() ends the program by throwing ExitStatus out of the handler it ran in.
window.addEventListener('error', (e) => { if (e.error && e.error.name === 'ExitStatus') e.preventDefault(); });
document.getElementById('again').addEventListener('click', () => location.reload());

var Module = {
  canvas: document.getElementById('canvas'),
  // The program's standard output: on the page and in the console.
  print: (text) => { console.log(text); output.textContent += text + '\n'; },
  printErr: (text) => console.error(text),
  ended: (status) => {
    Module.hideMenu();
    document.getElementById('ended').style.display = 'block';
    document.body.dataset.ended = String(status);
  },
  // What the page cannot go on from, in one line under the canvas.
  lost: (why) => Module.print(why),
  // Started and not ended: main has registered its callbacks.
  started: () => Module.calledRun === true && document.body.dataset.ended === undefined,
  // Running, and taking input: started, and not held by the inspector.
  running: () => Module.started() && !Module._tarnvalePaused(),
};

// The frame inspector: its script and style load when it is first opened,
// so a visit that never opens it fetches neither. Like the page's other
// files, they carry the build in their addresses. `step`, counted from 1
// as the inspector shows it, is chosen once it is open.
function openInspector(step) {
  const go = () => Inspector.open().then(() => {
    if (step > 0 && Inspector.steps.length) Inspector.choose(Math.min(step, Inspector.steps.length) - 1);
  });
  if (window.Inspector) return go();
  const build = '?v=' + document.documentElement.dataset.build;
  const style = Object.assign(document.createElement('link'), { rel: 'stylesheet', href: 'inspect/inspector.css' + build });
  // Its rooms, in one script (web/build.sh puts them together in the order they run).
  const script = Object.assign(document.createElement('script'), { src: 'inspect/rooms.js' + build });
  script.onload = go;
  script.onerror = () => { script.remove(); Module.print('The frame inspector could not be loaded.'); };
  document.head.append(style, script);
}
for (const button of document.querySelectorAll('[data-inspect]')) button.addEventListener('click', () => openInspector());

// The first frame: the loading bar gives way to the house. When it came,
// from the start of navigation, is kept for the page's benchmark. An
// address ending in #inspect=step:N (a link a teacher sends) then opens the
// inspector on that step.
(function watch() {
  if (Module.calledRun && Module._tarnvaleFrames() > 0) {
    Module.firstFrameAt = performance.now();
    document.getElementById('loading').remove();
    const asked = /^#inspect=step:(\d+)$/.exec(location.hash);
    if (asked) openInspector(Number(asked[1]));
  } else {
    requestAnimationFrame(watch);
  }
})();
