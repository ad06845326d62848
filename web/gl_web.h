// What the GLUT layer needs from the GL layer beyond OpenGL itself.
#pragma once

// Sends the frame's gathered commands to WebGL.
void webFlush();
// Draw calls made so far, for the page's frame statistics.
int webDrawCalls();
// The canvas's WebGL context came back after a loss: WebGL's objects are
// gone and are made again, textures included, at the next flush.
void webContextRestored();
