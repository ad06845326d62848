// What the GLUT layer and the page's inspector need from the GL layer
// beyond OpenGL itself.
#pragma once

namespace glweb {
class Context;
}

// A frame begins: its calls are the frame's until the flush.
void webFrameBegins();
// Sends the frame's gathered commands to WebGL.
void webFlush();
// Draw calls made so far, for the page's frame statistics.
int webDrawCalls();
// The canvas's WebGL context came back after a loss: WebGL's objects are
// gone and are made again, textures included, at the next flush.
void webContextRestored();
// The window is made, `width` by `height`: its context's viewport and
// scissor box start at that size.
void webWindowMade(int width, int height);
// Whether WebGL's vertex shader lights where it can (the page's way,
// from the window's making) or every vertex is lit in the GL layer.
void webShaderLighting(bool on);
// Whether the window has an accumulation buffer: the display mode's choice.
void webAccumBuffer(bool present);
// Whether the window is double-buffered: GL_BACK is then drawn and read.
void webDoubleBuffer(bool present);
// Whether the window has a stencil buffer: the display mode's choice.
void webStencilBuffer(bool present);
// The one GL context the entry points feed.
glweb::Context& webContext();
