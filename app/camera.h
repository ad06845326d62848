// The walking camera: projection, arrow keys and the left-button drag.
#pragma once

void reshape(int width, int height);
void specialKeys(int key, int x, int y);
void mouse(int button, int state, int x, int y);
void motion(int x, int y);
void updateLookAt(int key);
