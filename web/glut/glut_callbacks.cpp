// GLUT's callbacks, timers, queries and window calls: what the program
// registers, and what it asks of its window, on the page.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include "web/glut/glut_state.h"

using namespace glutweb;

namespace {

struct Timer {
    void (*func)(int);
    int value;
};

void fireTimer(void* data)
{
    Timer* t = static_cast<Timer*>(data);
    Timer copy = *t;
    delete t;
    copy.func(copy.value);
}

double startTime = emscripten_get_now();

EM_JS(int, pageScreenSize, (int which), { return which ? screen.height : screen.width; });
EM_JS(void, pageFullScreen, (), { if (Module.fullScreen) Module.fullScreen(); });
EM_JS(void, pageCursor, (const char* name), { Module.canvas.style.cursor = UTF8ToString(name); });

// GLUT's cursors as CSS names them, in GLUT_CURSOR_RIGHT_ARROW's order.
const char* const cssCursors[] = {"default", "default", "pointer", "not-allowed", "help", "progress", "crosshair",
                                  "wait", "text", "crosshair", "ns-resize", "ew-resize", "n-resize", "s-resize",
                                  "w-resize", "e-resize", "nw-resize", "ne-resize", "se-resize", "sw-resize"};
int cursor = GLUT_CURSOR_INHERIT;

}  // namespace

extern "C" {

void glutDisplayFunc(void (*func)()) { displayFunc = func; }
void glutReshapeFunc(void (*func)(int, int)) { reshapeFunc = func; }
void glutKeyboardFunc(void (*func)(unsigned char, int, int)) { keyboardFunc = func; }
void glutKeyboardUpFunc(void (*func)(unsigned char, int, int)) { keyboardUpFunc = func; }
void glutSpecialFunc(void (*func)(int, int, int)) { specialFunc = func; }
void glutSpecialUpFunc(void (*func)(int, int, int)) { specialUpFunc = func; }
void glutMouseFunc(void (*func)(int, int, int, int)) { mouseFunc = func; }
void glutMotionFunc(void (*func)(int, int)) { motionFunc = func; }
void glutPassiveMotionFunc(void (*func)(int, int)) { passiveMotionFunc = func; }
void glutEntryFunc(void (*func)(int)) { entryFunc = func; }
void glutVisibilityFunc(void (*func)(int)) { visibilityFunc = func; }
void glutIdleFunc(void (*func)()) { idleFunc = func; }

void glutTimerFunc(unsigned int milliseconds, void (*func)(int), int value)
{
    if (func)
        emscripten_async_call(fireTimer, new Timer{func, value}, (int)milliseconds);
}

int glutGetModifiers() { return modifiers; }

int glutGet(GLenum what)
{
    switch (what) {
    case GLUT_WINDOW_WIDTH: case GLUT_INIT_WINDOW_WIDTH: return windowWidth;
    case GLUT_WINDOW_HEIGHT: case GLUT_INIT_WINDOW_HEIGHT: return windowHeight;
    case GLUT_WINDOW_X: case GLUT_WINDOW_Y: case GLUT_INIT_WINDOW_X: case GLUT_INIT_WINDOW_Y: return 0;
    case GLUT_SCREEN_WIDTH: return pageScreenSize(0);
    case GLUT_SCREEN_HEIGHT: return pageScreenSize(1);
    case GLUT_ELAPSED_TIME: return (int)(emscripten_get_now() - startTime);
    case GLUT_WINDOW_RGBA: case GLUT_DISPLAY_MODE_POSSIBLE: return 1;
    case GLUT_WINDOW_DOUBLEBUFFER: return (displayMode & GLUT_DOUBLE) != 0;
    case GLUT_WINDOW_DEPTH_SIZE: return 24;
    case GLUT_WINDOW_STENCIL_SIZE: return (displayMode & GLUT_STENCIL) ? 8 : 0;
    case GLUT_WINDOW_RED_SIZE: case GLUT_WINDOW_GREEN_SIZE: case GLUT_WINDOW_BLUE_SIZE:
        return 8;
    case GLUT_WINDOW_ALPHA_SIZE: {  // as GL says: the canvas keeps none
        GLint bits = 0;
        glGetIntegerv(GL_ALPHA_BITS, &bits);
        return bits;
    }
    case GLUT_INIT_DISPLAY_MODE: return (int)displayMode;
    case GLUT_WINDOW_ACCUM_RED_SIZE: case GLUT_WINDOW_ACCUM_GREEN_SIZE: case GLUT_WINDOW_ACCUM_BLUE_SIZE:
    case GLUT_WINDOW_ACCUM_ALPHA_SIZE:
        return (displayMode & GLUT_ACCUM) ? 16 : 0;
    case GLUT_WINDOW_NUM_SAMPLES: case GLUT_WINDOW_COLORMAP_SIZE: case GLUT_WINDOW_PARENT:
    case GLUT_WINDOW_NUM_CHILDREN: case GLUT_WINDOW_STEREO: case GLUT_WINDOW_FORMAT_ID:
        return 0;
    case GLUT_WINDOW_BUFFER_SIZE: return 32;
    case GLUT_WINDOW_CURSOR: return cursor;
    case GLUT_MENU_NUM_ITEMS: return menuItems();
    default: return -1;
    }
}

int glutDeviceGet(GLenum what)
{
    switch (what) {
    case GLUT_HAS_KEYBOARD: case GLUT_HAS_MOUSE: return 1;
    case GLUT_NUM_MOUSE_BUTTONS: return 3;
    case GLUT_DEVICE_IGNORE_KEY_REPEAT: return ignoreKeyRepeat;
    case GLUT_DEVICE_KEY_REPEAT: return ignoreKeyRepeat ? GLUT_KEY_REPEAT_OFF : GLUT_KEY_REPEAT_ON;
    default: return 0;
    }
}

int glutGetWindow() { return 1; }
void glutSetWindow(int) {}
void glutInitWindowPosition(int, int) {}  // the page places the canvas
void glutPositionWindow(int, int) {}
void glutSetIconTitle(const char*) {}
void glutShowWindow() {}
void glutHideWindow() {}
void glutSetCursor(int which)
{
    const int known = sizeof cssCursors / sizeof cssCursors[0];
    cursor = which;
    pageCursor(which >= 0 && which < known ? cssCursors[which] : which == GLUT_CURSOR_NONE ? "none"
               : which == GLUT_CURSOR_FULL_CROSSHAIR ? "crosshair" : "");
}

void glutSetWindowTitle(const char* title)
{
    EM_ASM({ document.title = UTF8ToString($0); const h = document.getElementById('title'); if (h) h.textContent = document.title; },
           title);
}

// The program's own new size, as a window manager grants it.
void glutReshapeWindow(int width, int height)
{
    tarnvaleResize(width, height);
}

void glutFullScreen() { pageFullScreen(); }

}  // extern "C"
