// What the GLUT layer needs from the GL layer beyond OpenGL itself.
#pragma once

// Sends the frame's gathered primitives to WebGL.
void webFlush();
// Draw calls made so far, for the page's frame statistics.
int webDrawCalls();
