// The page's GL layer on the host: WebGL and GLUT stood in for, so that the
// program's frame runs through the layer's real entry points.
#include <GL/glut.h>

#include "web/gl/gl_web.h"
#include "web/gl/webgl_draw.h"
#include "web/inspect/record.h"
#include "web/inspect/start_state.h"
#include "web_stubs.h"

void webglDraw(glweb::Context& context)
{
    context.commands.clear();
    context.vertices.clear();
}
void webglForget() {}
void webglReadPixels(glweb::Context& context, int, int, int, int, unsigned char*)
{
    webglDraw(context);
}
void webglWindowSize(int* width, int* height)
{
    *width = *height = 100;
}
int webglDrawCalls()
{
    return 0;
}
bool webglWideIndices()
{
    return false;
}
void inspect::callKept(size_t) {}
void inspect::listCallKept(unsigned, size_t) {}
void inspect::callDropped(size_t) {}

std::map<size_t, HeldFrame> heldFrames;

void inspect::stepBegins(size_t step)
{
    auto held = heldFrames.find(step);
    if (held != heldFrames.end())
        held->second = {webContext().vertices, webContext().commands};
}

extern "C" {
void glutPostRedisplay() {}
void glutSwapBuffers()
{
    webFlush();
}
}
