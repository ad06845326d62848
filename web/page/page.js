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

// The first frame: the loading bar gives way to the house. When it came,
// from the start of navigation, is kept for the page's benchmark.
Module.firstFrame = () => {
  Module.firstFrameAt = performance.now();
  document.getElementById('loading').remove();
};
