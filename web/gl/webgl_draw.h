// The WebGL side of the page's GL layer: sends a context's frame to WebGL
// and keeps the WebGL objects it needs, made again after the context is lost.
#pragma once

#include "web/gl/gl_context.h"

// Carries out the frame's commands in order and empties them.
void webglDraw(glweb::Context& context);
// The WebGL context was lost: its objects are gone. The next draw makes them
// again and uploads every texture anew from the images the context keeps.
void webglForget();
// The frame so far drawn, then the canvas's pixels read back as RGBA rows
// from the bottom.
void webglReadPixels(glweb::Context& context, int x, int y, int width, int height, unsigned char* rgba);
// The canvas's size in pixels: the window's.
void webglWindowSize(int* width, int* height);
// Whether WebGL draws with 32-bit indices, as the triangles lit in its
// vertex shader are drawn (turned on where it can be).
bool webglWideIndices();
// Draw calls made so far, for the page's frame statistics.
int webglDrawCalls();
