// How the browser's input reaches the program as GLUT would give it.
#pragma once

// GLUT's special key for a KeyboardEvent key name ("ArrowUp", "F1", ...), or 0.
int specialKey(const char* key);
// The character GLUT's keyboard callback gets for a key name ("q", "Escape",
// ...), or 0.
unsigned char asciiKey(const char* key);
// Whether a canvas of this size, after one of the old size, is a window
// resize: a new size with both sides at least one pixel.
bool windowResized(int width, int height, int oldWidth, int oldHeight);
