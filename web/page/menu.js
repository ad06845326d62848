// The pop-up menu GLUT attaches to the right button: an HTML list opened at
// the pointer, kept inside the window, chosen with a click or a tap.
'use strict';

(function () {
  const menu = document.getElementById('menu');

  Module.addMenuEntry = (label, value) => {
    const item = document.createElement('li');
    item.textContent = label;
    // As in GLUT, releasing a button over an entry chooses it; a tap does too.
    if (value < 0) item.className = 'heading';  // a submenu's label: its entries follow
    item.addEventListener('mouseup', (e) => {
      if (e.button === 1 || value < 0) return;
      Module.hideMenu();
      Module._tarnvaleMenuSelect(value);
    });
    menu.appendChild(item);
  };

  Module.clearMenu = () => menu.replaceChildren();

  Module.showMenu = (x, y) => {
    menu.style.display = 'block';
    const width = menu.offsetWidth, height = menu.offsetHeight;
    menu.style.left = Math.max(0, Math.min(x, window.innerWidth - width)) + 'px';
    menu.style.top = Math.max(0, Math.min(y, window.innerHeight - height)) + 'px';
  };

  Module.hideMenu = () => { menu.style.display = 'none'; };

  const closeOutside = (e) => { if (!menu.contains(e.target)) Module.hideMenu(); };
  document.addEventListener('mousedown', closeOutside, true);
  document.addEventListener('touchstart', closeOutside, { capture: true, passive: true });
  document.getElementById('canvas').addEventListener('contextmenu', (e) => e.preventDefault());
  menu.addEventListener('contextmenu', (e) => e.preventDefault());
})();
