// Start-up of the GLUT window, its callbacks and the right-button menu.
#pragma once

// The two menu labels. freeglut draws menus with Latin-1 bitmap fonts, so
// the Korean words are spelled out in Latin letters.
extern const char* const insideMenuLabel;
extern const char* const outsideMenuLabel;

void openWindow(int* argc, char** argv);
