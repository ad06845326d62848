// The GLUT layer's state, shared by its files: the window, the program's
// callbacks, the pointer and the frame count.
#pragma once

namespace glutweb {

extern const char* const canvas;
extern int windowWidth, windowHeight;
extern unsigned int displayMode;

extern void (*displayFunc)();
extern void (*reshapeFunc)(int, int);
extern void (*keyboardFunc)(unsigned char, int, int);
extern void (*keyboardUpFunc)(unsigned char, int, int);
extern void (*specialFunc)(int, int, int);
extern void (*specialUpFunc)(int, int, int);
extern void (*mouseFunc)(int, int, int, int);
extern void (*motionFunc)(int, int);
extern void (*passiveMotionFunc)(int, int);
extern void (*entryFunc)(int);
extern void (*visibilityFunc)(int);
extern void (*idleFunc)();
extern void (*windowStatusFunc)(int);
extern bool ignoreKeyRepeat;

extern bool redisplayPending;
extern bool paused;  // while the page's inspector holds a frame: no frames, no input
extern int mouseX, mouseY, modifiers;
extern bool buttonDown[3];

// A new window size, as the window system gives it (glut_web.cpp).
extern "C" void tarnvaleResize(int width, int height);

// Menus (glut_menus.cpp): whether a menu is attached to the button, and
// opening it at a page position.
bool menuOn(int button);
int menuItems();  // the current menu's entries
void showMenuAt(double clientX, double clientY, int button);

}  // namespace glutweb
