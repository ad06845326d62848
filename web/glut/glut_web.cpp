// The GLUT entry points this program calls, over the browser: the page's
// canvas is the window, html5 events are the input, the browser's animation
// frames are the main loop and an HTML menu (menu.js) is the pop-up menu.
// The page's own scripts reach the program through the exported functions
// below, as the window system reaches it through GLUT: a new canvas size is a
// reshape, a finger on the controls is a key press or a mouse button.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "web/gl/gl_web.h"
#include "web/glut/glut_input.h"
#include "web/glut/glut_state.h"
#include "web/glut/glut_web.h"

namespace glutweb {

const char* const canvas = "#canvas";
int windowWidth = 300, windowHeight = 300;  // GLUT's default size
unsigned int displayMode = GLUT_RGB | GLUT_SINGLE;
void (*displayFunc)() = nullptr;
void (*reshapeFunc)(int, int) = nullptr;
void (*keyboardFunc)(unsigned char, int, int) = nullptr;
void (*keyboardUpFunc)(unsigned char, int, int) = nullptr;
void (*specialFunc)(int, int, int) = nullptr;
void (*specialUpFunc)(int, int, int) = nullptr;
void (*mouseFunc)(int, int, int, int) = nullptr;
void (*motionFunc)(int, int) = nullptr;
void (*passiveMotionFunc)(int, int) = nullptr;
void (*entryFunc)(int) = nullptr;
void (*visibilityFunc)(int) = nullptr;
void (*idleFunc)() = nullptr;
void (*windowStatusFunc)(int) = nullptr;
bool ignoreKeyRepeat = false;
bool redisplayPending = false;
bool paused = false;
int mouseX = 0, mouseY = 0, modifiers = 0;
bool buttonDown[3] = {false, false, false};

}  // namespace glutweb

using namespace glutweb;

namespace {

// Frame statistics for the page and its benchmark.
int frames = 0;
double frameMilliseconds = 0;

// The page's part: the canvas's place and scale, the menu, the end notice.
EM_JS(void, canvasPlace, (double* left, double* top, double* scale), {
    const r = Module.canvas.getBoundingClientRect();
    HEAPF64[left >> 3] = r.left;
    HEAPF64[top >> 3] = r.top;
    HEAPF64[scale >> 3] = r.width > 0 ? Module.canvas.width / r.width : 1;
});
// The size the page wants the window to have, if not the program's own.
EM_JS(void, pageWindowSize, (int* width, int* height), {
    const size = Module.windowSize && Module.windowSize();
    if (size) {
        HEAP32[width >> 2] = size[0];
        HEAP32[height >> 2] = size[1];
    }
});
EM_JS(void, pageLost, (const char* why), { Module.lost(UTF8ToString(why)); });
EM_JS(void, pageEnded, (int status), { Module.ended(status); });
// The window's title, as the document's and on a program's page.
EM_JS(void, pageSetTitle, (const char* title), {
    document.title = UTF8ToString(title);
    const heading = document.getElementById('title');
    if (heading)
        heading.textContent = document.title;
});
// Which file each texture's image was read from, for the inspector: the
// last file the program opened when it gave the image.
EM_JS(void, pageWatchFiles, (), {
    Module.textureFiles = {};
    const open = FS.open;
    FS.open = (path, ...rest) => {
        if (typeof path === 'string')
            Module.lastOpenedFile = path.split('/').pop();
        return open(path, ...rest);
    };
});

// A page position in the canvas's own pixels, those of the window size.
void toCanvas(double clientX, double clientY, int* x, int* y)
{
    double left, top, scale;
    canvasPlace(&left, &top, &scale);
    *x = (int)((clientX - left) * scale);
    *y = (int)((clientY - top) * scale);
}

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;

// The browser may take the context away (a phone does when the page goes to
// the background); WebGL's objects go with it and are made again, textures
// from the images the GL layer kept, once it is back.
bool contextLost = false;

EM_BOOL onContextLost(int, const void*, void*)
{
    contextLost = true;  // no frames until it is back
    return EM_TRUE;      // asks for the context back
}

EM_BOOL onContextRestored(int, const void*, void*)
{
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        pageLost("The graphics context could not be restored.");
        std::exit(1);
    }
    webContextRestored();
    contextLost = false;
    redisplayPending = true;
    return EM_TRUE;
}

void noteModifiers(bool shift, bool ctrl, bool alt)
{
    modifiers = (shift ? GLUT_ACTIVE_SHIFT : 0) | (ctrl ? GLUT_ACTIVE_CTRL : 0) | (alt ? GLUT_ACTIVE_ALT : 0);
}

// Down and up alike: a special key to its callbacks, a character to the
// keyboard's.
EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*)
{
    if (paused)
        return EM_FALSE;
    if (e->ctrlKey || e->metaKey || e->altKey)
        return EM_FALSE;  // the browser's own shortcuts
    noteModifiers(e->shiftKey, e->ctrlKey, e->altKey);
    const bool down = type == EMSCRIPTEN_EVENT_KEYDOWN;
    if (down && e->repeat && ignoreKeyRepeat)
        return EM_TRUE;
    if (int special = specialKey(e->key)) {
        if (auto f = down ? specialFunc : specialUpFunc)
            f(special, mouseX, mouseY);
        return EM_TRUE;
    }
    if (unsigned char c = asciiKey(e->key)) {
        if (auto f = down ? keyboardFunc : keyboardUpFunc)
            f(c, mouseX, mouseY);
        return EM_TRUE;
    }
    return EM_FALSE;
}

EM_BOOL onMouseDown(int, const EmscriptenMouseEvent* e, void*)
{
    if (paused)
        return EM_FALSE;
    int button = e->button;  // 0 left, 1 middle, 2 right: GLUT's numbers too
    if (button < 0 || button > 2)
        return EM_FALSE;
    toCanvas(e->clientX, e->clientY, &mouseX, &mouseY);
    noteModifiers(e->shiftKey, e->ctrlKey, e->altKey);
    if (menuOn(button)) {
        showMenuAt(e->clientX, e->clientY, button);  // the menu's button reaches no callback
        return EM_TRUE;
    }
    buttonDown[button] = true;
    if (mouseFunc)
        mouseFunc(button, GLUT_DOWN, mouseX, mouseY);
    return EM_TRUE;
}

EM_BOOL onMouseUp(int, const EmscriptenMouseEvent* e, void*)
{
    if (paused)
        return EM_FALSE;
    int button = e->button;
    if (button < 0 || button > 2 || !buttonDown[button])
        return EM_FALSE;
    buttonDown[button] = false;
    toCanvas(e->clientX, e->clientY, &mouseX, &mouseY);
    if (mouseFunc)
        mouseFunc(button, GLUT_UP, mouseX, mouseY);
    return EM_TRUE;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* e, void*)
{
    if (paused)
        return EM_FALSE;
    toCanvas(e->clientX, e->clientY, &mouseX, &mouseY);
    if (buttonDown[0] || buttonDown[1] || buttonDown[2]) {
        if (motionFunc)
            motionFunc(mouseX, mouseY);
    } else if (passiveMotionFunc && mouseX >= 0 && mouseY >= 0 && mouseX < windowWidth && mouseY < windowHeight) {
        passiveMotionFunc(mouseX, mouseY);
    }
    return EM_FALSE;
}

EM_BOOL onEnterLeave(int type, const EmscriptenMouseEvent*, void*)
{
    if (entryFunc && !paused)
        entryFunc(type == EMSCRIPTEN_EVENT_MOUSEENTER ? GLUT_ENTERED : GLUT_LEFT);
    return EM_FALSE;
}

// A page may ask for a frame only every nth time the display refreshes
// (the suite does, so that pages drawing side by side leave the machine
// room for the rest); by default, every time.
EM_JS(int, pageFrameEvery, (), { return window.tarnvaleFrameEvery | 0; });

// One animation frame: the idle callback, then a draw if a redisplay was
// asked for.
void frame()
{
    static bool paced = false;
    if (!paced) {
        paced = true;
        if (int every = pageFrameEvery(); every > 1)
            emscripten_set_main_loop_timing(EM_TIMING_RAF, every);
    }
    if (contextLost || paused)
        return;
    if (idleFunc)
        idleFunc();
    if (!redisplayPending || !displayFunc)
        return;
    redisplayPending = false;
    double start = emscripten_get_now();
    webFrameBegins();
    displayFunc();
    frameMilliseconds += emscripten_get_now() - start;
    frames++;
}

}  // namespace

void webDisplayNow()
{
    if (!displayFunc)
        return;
    webFrameBegins();
    displayFunc();
}

// exit() from the program (linked with --wrap=exit): stop the frames and the
// input and tell the page, then end as the C library does. The main loop
// would otherwise keep the runtime, and its frames, alive.
extern "C" void __real_exit(int status);
extern "C" void __wrap_exit(int status)
{
    emscripten_cancel_main_loop();
    emscripten_html5_remove_all_event_listeners();
    pageEnded(status);
    __real_exit(status);
}

extern "C" {

// Held by the page's inspector: the house stops where it is and takes no
// input until it is let go, then draws again.
EMSCRIPTEN_KEEPALIVE void tarnvalePause(int on)
{
    paused = on != 0;
    if (!paused)
        redisplayPending = true;
}

EMSCRIPTEN_KEEPALIVE int tarnvalePaused()
{
    return paused;
}

EMSCRIPTEN_KEEPALIVE int tarnvaleFrames()
{
    return frames;
}

EMSCRIPTEN_KEEPALIVE double tarnvaleFrameMilliseconds()
{
    return frameMilliseconds;
}

// Lit in WebGL's vertex shader where it can be (the page's way), or every
// vertex in the GL layer: drawn again either way, for comparing the two.
EMSCRIPTEN_KEEPALIVE void tarnvaleShaderLighting(int on)
{
    webShaderLighting(on != 0);
    redisplayPending = true;
}

EMSCRIPTEN_KEEPALIVE int tarnvaleDrawCalls()
{
    return webDrawCalls();
}

// The window's new size in drawing-buffer pixels, as a window manager's
// resize reaches a GLUT program.
EMSCRIPTEN_KEEPALIVE void tarnvaleResize(int width, int height)
{
    if (!windowResized(width, height, windowWidth, windowHeight))
        return;
    windowWidth = width;
    windowHeight = height;
    emscripten_set_canvas_element_size(canvas, width, height);
    if (reshapeFunc)
        reshapeFunc(width, height);
    redisplayPending = true;
}

// The page's controls: a key, an arrow key, a mouse button or a drag, in the
// canvas's pixels.
EMSCRIPTEN_KEEPALIVE void tarnvaleKey(int key)
{
    if (keyboardFunc)
        keyboardFunc((unsigned char)key, mouseX, mouseY);
}

EMSCRIPTEN_KEEPALIVE void tarnvaleSpecial(int key)
{
    if (specialFunc)
        specialFunc(key, mouseX, mouseY);
}

EMSCRIPTEN_KEEPALIVE void tarnvaleMouse(int button, int state, int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (button >= 0 && button <= 2)
        buttonDown[button] = state == GLUT_DOWN;
    if (mouseFunc)
        mouseFunc(button, state, x, y);
}

// The menu's button pressed at a page position: the menu opens there.
EMSCRIPTEN_KEEPALIVE void tarnvaleMenuAt(double clientX, double clientY)
{
    for (int button : {GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON, GLUT_LEFT_BUTTON})
        if (menuOn(button))
            return showMenuAt(clientX, clientY, button);
}

EMSCRIPTEN_KEEPALIVE void tarnvaleMotion(int x, int y)
{
    mouseX = x;
    mouseY = y;
    if (motionFunc)
        motionFunc(x, y);
}

void glutInit(int*, char**) {}

// The canvas's context is RGBA with depth (WebGL shows each frame as it
// ends, so single and double buffering look the same), and with a stencil
// buffer and an accumulation buffer when asked for them.
void glutInitDisplayMode(unsigned int mode)
{
    displayMode = mode;
}

void glutInitWindowSize(int width, int height)
{
    windowWidth = width;
    windowHeight = height;
}

int glutCreateWindow(const char* title)
{
    // At the page's size from the start: a context made once at its size.
    pageWindowSize(&windowWidth, &windowHeight);
    emscripten_set_canvas_element_size(canvas, windowWidth, windowHeight);
    pageSetTitle(title);
    pageWatchFiles();
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = (displayMode & GLUT_STENCIL) ? EM_TRUE : EM_FALSE;
    webAccumBuffer(displayMode & GLUT_ACCUM);
    webDoubleBuffer(displayMode & GLUT_DOUBLE);
    webStencilBuffer(displayMode & GLUT_STENCIL);
    attributes.antialias = EM_FALSE;
    attributes.preserveDrawingBuffer = EM_TRUE;  // the page can read back what was shown
    attributes.majorVersion = 1;
    context = emscripten_webgl_create_context(canvas, &attributes);
    if (context <= 0) {
        pageLost("This browser gives the page no WebGL.");
        std::exit(1);
    }
    emscripten_webgl_make_context_current(context);
    webWindowMade(windowWidth, windowHeight);
    emscripten_set_webglcontextlost_callback(canvas, nullptr, EM_TRUE, onContextLost);
    emscripten_set_webglcontextrestored_callback(canvas, nullptr, EM_TRUE, onContextRestored);

    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_mouseenter_callback(canvas, nullptr, EM_TRUE, onEnterLeave);
    emscripten_set_mouseleave_callback(canvas, nullptr, EM_TRUE, onEnterLeave);
    emscripten_set_mousedown_callback(canvas, nullptr, EM_TRUE, onMouseDown);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouseUp);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouseMove);
    return 1;
}

void glutPostRedisplay()
{
    redisplayPending = true;
}

void glutSwapBuffers()
{
    // The browser shows the canvas once the animation frame returns.
    webFlush();
}

void glutMainLoop()
{
    // As GLUT does when the window first shows: a reshape, then a display.
    if (reshapeFunc)
        reshapeFunc(windowWidth, windowHeight);
    if (visibilityFunc)
        visibilityFunc(GLUT_VISIBLE);
    if (windowStatusFunc)
        windowStatusFunc(GLUT_FULLY_RETAINED);
    redisplayPending = true;
    emscripten_set_main_loop(frame, 0, 1);  // never returns
}

}  // extern "C"
