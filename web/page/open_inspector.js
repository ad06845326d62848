// The frame inspector on any page a program runs on: its script and style
// load when it is first opened, so a visit that never opens it fetches
// neither. Like the page's other files, they carry the build in their
// addresses. An address ending in #inspect=step:N (a link a teacher sends)
// opens it on step N once the first frame is drawn.
'use strict';

// `step`, counted from 1 as the inspector shows it, is chosen once it is open.
function openInspector(step) {
  const go = () => Inspector.open().then(() => {
    if (step > 0 && Inspector.steps.length) Inspector.choose(Math.min(step, Inspector.steps.length) - 1);
  });
  if (window.Inspector) return go();
  const build = '?v=' + document.documentElement.dataset.build;
  const style = Object.assign(document.createElement('link'), { rel: 'stylesheet', href: 'inspect/inspector.css' + build });
  // Its rooms, in one script (put together in the order they run).
  const script = Object.assign(document.createElement('script'), { src: 'inspect/rooms.js' + build });
  script.onload = go;
  script.onerror = () => { script.remove(); Module.print('The frame inspector could not be loaded.'); };
  document.head.append(style, script);
}
for (const button of document.querySelectorAll('[data-inspect]')) button.addEventListener('click', () => openInspector());

(function watch() {
  if (Module.calledRun && Module._tarnvaleFrames() > 0) {
    if (Module.firstFrame) Module.firstFrame();
    const asked = /^#inspect=step:(\d+)$/.exec(location.hash);
    if (asked && document.querySelector('[data-inspect]:not([hidden])')) openInspector(Number(asked[1]));
  } else {
    requestAnimationFrame(watch);
  }
})();
