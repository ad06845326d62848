// How the browser's input reaches the program as GLUT would give it: a
// key's name to GLUT's special key or character, and whether a new canvas
// size is a window resize.
#include "web/glut/glut_input.h"

#include <GL/glut.h>

#include <cstring>

int specialKey(const char* key)
{
    static const struct {
        const char* name;
        int glut;
    } keys[] = {
        {"ArrowLeft", GLUT_KEY_LEFT}, {"ArrowUp", GLUT_KEY_UP},         {"ArrowRight", GLUT_KEY_RIGHT},
        {"ArrowDown", GLUT_KEY_DOWN}, {"PageUp", GLUT_KEY_PAGE_UP},     {"PageDown", GLUT_KEY_PAGE_DOWN},
        {"Home", GLUT_KEY_HOME},      {"End", GLUT_KEY_END},            {"Insert", GLUT_KEY_INSERT},
        {"F1", GLUT_KEY_F1},          {"F2", GLUT_KEY_F2},              {"F3", GLUT_KEY_F3},
        {"F4", GLUT_KEY_F4},          {"F5", GLUT_KEY_F5},              {"F6", GLUT_KEY_F6},
        {"F7", GLUT_KEY_F7},          {"F8", GLUT_KEY_F8},              {"F9", GLUT_KEY_F9},
        {"F10", GLUT_KEY_F10},        {"F11", GLUT_KEY_F11},            {"F12", GLUT_KEY_F12},
    };
    for (const auto& k : keys)
        if (std::strcmp(key, k.name) == 0)
            return k.glut;
    return 0;
}

// The character GLUT's keyboard callback would get, or 0.
unsigned char asciiKey(const char* key)
{
    if (std::strlen(key) == 1 && (unsigned char)key[0] < 128)
        return (unsigned char)key[0];
    if (std::strcmp(key, "Escape") == 0)
        return 27;
    if (std::strcmp(key, "Enter") == 0)
        return 13;
    if (std::strcmp(key, "Backspace") == 0)
        return 8;
    if (std::strcmp(key, "Tab") == 0)
        return 9;
    if (std::strcmp(key, "Delete") == 0)
        return 127;
    return 0;
}

bool windowResized(int width, int height, int oldWidth, int oldHeight)
{
    return width >= 1 && height >= 1 && (width != oldWidth || height != oldHeight);
}
