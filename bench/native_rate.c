/* Preloaded into a GLUT program under Xvfb, it draws the program's frame
   over and over, as fast as the window takes it, and prints the time a
   frame took once FRAMES frames are drawn, then ends the program:
       LD_PRELOAD=native_rate.so TARNVALE_FRAMES=300 ./program
   The frames before the first 20 are left out, as they warm up. */
#define _GNU_SOURCE
#include <GL/glut.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static int frames, wanted = 300;
static double start;

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static void again(void)
{
    glutPostRedisplay();
}

void glutSwapBuffers(void)
{
    static void (*swap)(void);
    if (!swap)
        swap = (void (*)(void))dlsym(RTLD_NEXT, "glutSwapBuffers");
    swap();
    glFinish();
    if (++frames == 20)
        start = now();
    if (frames == 20 + wanted) {
        printf("%.2f ms a frame natively over %d frames\n", (now() - start) / wanted, wanted);
        fflush(stdout);
        _Exit(0);
    }
}

void glutMainLoop(void)
{
    static void (*loop)(void);
    if (!loop)
        loop = (void (*)(void))dlsym(RTLD_NEXT, "glutMainLoop");
    if (getenv("TARNVALE_FRAMES"))
        wanted = atoi(getenv("TARNVALE_FRAMES"));
    glutIdleFunc(again);
    loop();
}
