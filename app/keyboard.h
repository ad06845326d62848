// Ordinary keys and the right-button menu.
#pragma once

void keyboard(unsigned char key, int x, int y);
void menuSelect(int value);
void doorStep();
