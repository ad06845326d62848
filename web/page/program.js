// A classic GLUT program's own page: the Module object through which
// emscripten runs it, its output under its window, and how its end shows.
// The window is the canvas, at the size the program asks for.
'use strict';

const output = document.getElementById('output');
window.addEventListener('error', (e) => { if (e.error && e.error.name === 'ExitStatus') e.preventDefault(); });
document.getElementById('again').addEventListener('click', () => location.reload());

var Module = {
  canvas: document.getElementById('canvas'),
  thisProgram: document.title,  // argv[0]: the first source's name
  print: (text) => { console.log(text); output.textContent += text + '\n'; },
  printErr: (text) => { console.error(text); output.textContent += text + '\n'; },
  ended: (status) => {
    Module.hideMenu();
    document.getElementById('ended').style.display = 'block';
    document.body.dataset.ended = String(status);
  },
  lost: (why) => Module.print(why),
  started: () => Module.calledRun === true && document.body.dataset.ended === undefined,
  running: () => Module.started() && !Module._tarnvalePaused(),
};
