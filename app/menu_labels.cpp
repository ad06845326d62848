// The menu labels for freeglut, which draws menus with Latin-1 bitmap fonts:
// the Korean words are spelled out in Latin letters. A toolkit that can
// show Korean gets its own labels in place of this file.
#include "app/window.h"

const char* const insideMenuLabel = "Inside (jip an)";
const char* const outsideMenuLabel = "Outside (jip bak)";
