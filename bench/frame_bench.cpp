// Frame rate of the real window on Mesa: N frames of display against N
// empty frames (clear and swap only) in the same process, in both views and
// both projections. Also the time from exec to the first swapped frame.
//   frame_bench TEXTURE_DIR [WIDTH HEIGHT [FRAMES]]
#include <GL/freeglut.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/camera.h"
#include "app/window.h"
#include "image/render_init.h"
#include "scene/display.h"
#include "state/viewer_state.h"

using Clock = std::chrono::steady_clock;

// Seconds since the process was started, from /proc (10 ms resolution).
static double secondsSinceExec()
{
    unsigned long long start = 0;
    FILE* f = std::fopen("/proc/self/stat", "r");
    if (f) {
        // Field 22 is the start time in clock ticks after boot; the command
        // name (field 2) has no spaces here.
        if (std::fscanf(f, "%*d %*s %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
                        &start) != 1)
            start = 0;
        std::fclose(f);
    }
    double uptime = 0;
    f = std::fopen("/proc/uptime", "r");
    if (f) {
        if (std::fscanf(f, "%lf", &uptime) != 1)
            uptime = 0;
        std::fclose(f);
    }
    return uptime - (double)start / (double)sysconf(_SC_CLK_TCK);
}

static void emptyFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

static double framesPerSecond(void (*frame)(), int frames)
{
    for (int i = 0; i < 10; i++)
        frame();
    glFinish();
    auto start = Clock::now();
    for (int i = 0; i < frames; i++)
        frame();
    glFinish();
    return frames / std::chrono::duration<double>(Clock::now() - start).count();
}

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0) {
        std::fprintf(stderr, "usage: frame_bench TEXTURE_DIR [WIDTH HEIGHT [FRAMES]]\n");
        return 2;
    }
    int width = argc > 3 ? std::atoi(argv[2]) : 800;
    int height = argc > 3 ? std::atoi(argv[3]) : 600;
    int frames = argc > 4 ? std::atoi(argv[4]) : 300;

    openWindow(&argc, argv);
    initScene();
    auto firstReshape = Clock::now() + std::chrono::seconds(20);
    while (winHeight == 0 && Clock::now() < firstReshape)
        glutMainLoopEvent();
    if (winHeight == 0) {
        std::fprintf(stderr, "frame_bench: the window never appeared\n");
        return 1;
    }
    display();
    glFinish();
    std::printf("exec to first swapped frame: %.0f ms\n", secondsSinceExec() * 1000);

    if (width != winWidth || height != winHeight) {
        glutReshapeWindow(width, height);
        auto deadline = Clock::now() + std::chrono::seconds(10);
        while ((winWidth != width || winHeight != height) && Clock::now() < deadline)
            glutMainLoopEvent();
    }
    std::printf("window %d x %d, %d frames each\n", winWidth, winHeight, frames);
    std::printf("%-28s %10s %10s %8s\n", "view", "scene fps", "empty fps", "ratio");
    const struct {
        const char* name;
        signed char view;
        int ortho;
    } configs[] = {{"inside, perspective", 1, 0}, {"inside, orthographic", 1, 1},
                   {"outside, perspective", 2, 0}, {"outside, orthographic", 2, 1}};
    for (const auto& c : configs) {
        viewMode = c.view;
        orthoOn = c.ortho;
        reshape(winWidth, winHeight);
        double scene = framesPerSecond(display, frames);
        double empty = framesPerSecond(emptyFrame, frames);
        std::printf("%-28s %10.1f %10.1f %8.2f\n", c.name, scene, empty, scene / empty);
    }
    return 0;
}
