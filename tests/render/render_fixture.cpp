#include "render/render_fixture.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/camera.h"
#include "app/keyboard.h"
#include "app/window.h"
#include "image/render_init.h"
#include "scene/display.h"
#include "state/viewer_state.h"

Rgb8 Frame::at(int x, int y) const
{
    const unsigned char* p = &rgb[(size_t)(y * width + x) * 3];
    return {p[0], p[1], p[2]};
}

int Frame::count(Rgb8 c, int tolerance) const
{
    int n = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        n += std::abs(rgb[i] - c.r) <= tolerance && std::abs(rgb[i + 1] - c.g) <= tolerance &&
             std::abs(rgb[i + 2] - c.b) <= tolerance;
    return n;
}

int Frame::countNot(Rgb8 c, int tolerance) const
{
    return (int)(rgb.size() / 3) - count(c, tolerance);
}

Rgb8 toRgb8(const float* c)
{
    return {(int)std::lround(c[0] * 255), (int)std::lround(c[1] * 255), (int)std::lround(c[2] * 255)};
}

bool openRealWindow()
{
    static int opened = -1;
    if (opened >= 0)
        return opened == 1;
    opened = 0;
    if (!std::getenv("DISPLAY"))
        return false;
    const char* textures = std::getenv("TARNVALE_TEXTURES");
    if (textures && chdir(textures) != 0)
        return false;
    static int argc = 1;
    static char name[] = "render_tests";
    static char* argv[] = {name, nullptr};
    openWindow(&argc, argv);
    initScene();
    // The window manager-less Xvfb maps the window at once; the first
    // reshape follows its first events. Bounded by a deadline.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (winHeight == 0 && std::chrono::steady_clock::now() < deadline)
        glutMainLoopEvent();
    opened = winHeight != 0;
    return opened == 1;
}

static void setSwitch(int* flag, unsigned char key)
{
    if (!*flag)
        keyboard(key, 0, 0);
}

void resetView()
{
    setSwitch(&depthTestOn, 'd');
    setSwitch(&texturingOn, 't');
    setSwitch(&lightingOn, 'l');
    if (frontFaceCW)
        keyboard('f', 0, 0);
    orthoOn = 0;
    viewMode = 1;
    viewAngle = 0;
    eyeX = 0;
    rotX = rotY = 0;
    sceneScale = 1;
    doorAngle = 30;
    doorReturning = 0;
    wallpaperTex = 4;
    floorTex = 9;
    reshape(800, 600);
}

static Frame read(GLenum buffer)
{
    Frame f;
    f.width = winWidth;
    f.height = winHeight;
    f.rgb.resize((size_t)f.width * f.height * 3);
    glFinish();
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, f.width, f.height, GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
    return f;
}

// The test binary is linked with --wrap=glutSwapBuffers, so the swap at the
// end of display comes here first: the back buffer then holds exactly the
// frame that is about to be shown.
static Frame captured;

extern "C" void __real_glutSwapBuffers();
extern "C" void __wrap_glutSwapBuffers()
{
    captured = read(GL_BACK);
    __real_glutSwapBuffers();
}

Frame drawFrame()
{
    captured = Frame();
    display();
    return captured;
}

Frame readBack()
{
    return read(GL_BACK);
}

void saveFrame(const Frame& f, const std::string& path)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return;
    std::fprintf(out, "P6\n%d %d\n255\n", f.width, f.height);
    for (int y = f.height - 1; y >= 0; y--)  // top row first
        std::fwrite(&f.rgb[(size_t)y * f.width * 3], 1, (size_t)f.width * 3, out);
    std::fclose(out);
}
