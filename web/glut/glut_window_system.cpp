// The rest of GLUT's window-system calls, as a page can answer them: the
// page is one window, with no overlay, no colour map, no subwindows and no
// devices beyond a keyboard and a mouse; a call that has nothing to do here
// does nothing, as GLUT's own does where the window system lacks a feature,
// and a query answers what the page has.
#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "web/glut/glut_state.h"

using namespace glutweb;

namespace {

bool gameModeOn = false;

// The display mode a word of glutInitDisplayString asks for ("depth>=16":
// the word before its comparison); 0 for words the page has nothing for.
unsigned int modeOf(const std::string& word)
{
    const std::string name = word.substr(0, word.find_first_of("=<>~!"));
    static const struct {
        const char* name;
        unsigned int mode;
    } words[] = {{"rgba", GLUT_RGBA}, {"rgb", GLUT_RGB},      {"alpha", GLUT_ALPHA},   {"double", GLUT_DOUBLE},
                 {"single", GLUT_SINGLE}, {"depth", GLUT_DEPTH}, {"stencil", GLUT_STENCIL}, {"acca", GLUT_ACCUM},
                 {"acc", GLUT_ACCUM}, {"samples", GLUT_MULTISAMPLE}};
    for (const auto& w : words)
        if (name == w.name)
            return w.mode;
    return 0;
}

}  // namespace

extern "C" {

void glutInitDisplayString(const char* string)
{
    unsigned int mode = GLUT_RGBA | GLUT_SINGLE;  // both 0: what a word does not ask for
    std::istringstream in(string ? string : "");
    for (std::string word; in >> word;)
        mode |= modeOf(word);
    glutInitDisplayMode(mode);
}

void glutPostWindowRedisplay(int) { redisplayPending = true; }
void glutWindowStatusFunc(void (*func)(int)) { windowStatusFunc = func; }

// A key held down repeats on the page as on X; either call turns that off.
void glutIgnoreKeyRepeat(int ignore) { ignoreKeyRepeat = ignore != 0; }
void glutSetKeyRepeat(int mode) { ignoreKeyRepeat = mode == GLUT_KEY_REPEAT_OFF; }

// A page cannot move the pointer: the program's idea of where it is moves.
void glutWarpPointer(int x, int y)
{
    mouseX = x;
    mouseY = y;
}

// The one window closed: the program ends, as GLUT ends it.
void glutDestroyWindow(int) { std::exit(0); }

void glutPushWindow() {}
void glutPopWindow() {}
void glutIconifyWindow() {}

int glutExtensionSupported(const char* name)
{
    const GLubyte* all = glGetString(GL_EXTENSIONS);
    return name && *name && !std::strchr(name, ' ') &&
           gluCheckExtension(reinterpret_cast<const GLubyte*>(name), all);
}

void glutReportErrors()
{
    for (GLenum e; (e = glGetError()) != GL_NO_ERROR;)
        std::fprintf(stderr, "GL error: %s\n", (const char*)gluErrorString(e));
}

// No overlay: a program asks for one only if glutLayerGet says it is possible.
int glutLayerGet(GLenum what)
{
    switch (what) {
    case GLUT_OVERLAY_POSSIBLE: case GLUT_HAS_OVERLAY: case GLUT_NORMAL_DAMAGED: return 0;
    case GLUT_LAYER_IN_USE: return GLUT_NORMAL;
    default: return -1;
    }
}

void glutEstablishOverlay()
{
    std::fprintf(stderr, "glutEstablishOverlay: the page's window has no overlay.\n");
    std::exit(1);
}
void glutRemoveOverlay() {}
void glutUseLayer(GLenum) {}
void glutPostOverlayRedisplay() {}
void glutPostWindowOverlayRedisplay(int) {}
void glutShowOverlay() {}
void glutHideOverlay() {}
void glutOverlayDisplayFunc(void (*)()) {}

// RGBA only: no colour map to set or read.
void glutSetColor(int, GLfloat, GLfloat, GLfloat) {}
GLfloat glutGetColor(int, int) { return -1; }
void glutCopyColormap(int) {}

// Devices the page has none of: their callbacks are never called.
void glutSpaceballMotionFunc(void (*)(int, int, int)) {}
void glutSpaceballRotateFunc(void (*)(int, int, int)) {}
void glutSpaceballButtonFunc(void (*)(int, int)) {}
void glutButtonBoxFunc(void (*)(int, int)) {}
void glutDialsFunc(void (*)(int, int)) {}
void glutTabletMotionFunc(void (*)(int, int)) {}
void glutTabletButtonFunc(void (*)(int, int, int, int)) {}
void glutJoystickFunc(void (*)(unsigned int, int, int, int), int) {}
void glutForceJoystickFunc() {}

// Game mode: the window, full screen.
void glutGameModeString(const char*) {}
int glutEnterGameMode()
{
    gameModeOn = true;
    glutFullScreen();
    return 1;
}
void glutLeaveGameMode() { gameModeOn = false; }
int glutGameModeGet(GLenum what)
{
    switch (what) {
    case GLUT_GAME_MODE_ACTIVE: return gameModeOn;
    case GLUT_GAME_MODE_POSSIBLE: return 1;
    case GLUT_GAME_MODE_WIDTH: return windowWidth;
    case GLUT_GAME_MODE_HEIGHT: return windowHeight;
    case GLUT_GAME_MODE_PIXEL_DEPTH: return 24;
    case GLUT_GAME_MODE_REFRESH_RATE: return 60;
    default: return 0;
    }
}

int glutVideoResizeGet(GLenum) { return 0; }
void glutSetupVideoResizing() {}
void glutStopVideoResizing() {}
void glutVideoResize(int, int, int, int) {}
void glutVideoPan(int, int, int, int) {}

}  // extern "C"
