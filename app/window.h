// Start-up of the GLUT window, its callbacks and the right-button menu.
#pragma once

// The two menu labels, in the form the toolkit can show (menu_labels.cpp).
extern const char* const insideMenuLabel;
extern const char* const outsideMenuLabel;

void openWindow(int* argc, char** argv);
