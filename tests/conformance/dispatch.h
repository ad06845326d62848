/* The runner's table of entry points, written by make_dispatch.py. */
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

typedef struct {
    double n; /* a number */
    void* p;  /* an array, a buffer to be written, or the quadric */
} Arg;

typedef struct {
    double ret;
    int returned;
} Result;

typedef struct {
    const char* name;
    /* Each parameter's kind, space-separated: f, d or i for a number; A
       and an element letter for an array read; o and a letter for one
       written; q for a quadric. */
    const char* kinds;
    void (*call)(const Arg*, Result*);
} Entry;

extern const Entry entries[];
extern const int entryCount;
