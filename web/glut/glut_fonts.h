// GLUT's fonts as tables: web/glut/make_fonts.py writes them at build time
// from the X and Hershey fonts, glut_fonts.cpp draws them.
#pragma once

#include <GL/glut.h>

struct BitmapGlyph {
    unsigned char width, height;  // the bitmap's size in pixels
    signed char xorig, yorig;     // where the raster position sits in it
    unsigned char advance;        // how far the raster position moves
    int offset;                   // its first byte; rows go upwards, byte-aligned
};

struct BitmapFont {
    int height;  // the line's height: the highest ascent and the lowest descent
    const BitmapGlyph* glyphs;  // 256 of them, ISO 8859-1; width 0 is no glyph
    const unsigned char* bits;
};

struct StrokePoint {
    float x, y;
};

struct Stroke {
    int first, count;  // a line strip's points
};

struct StrokeGlyph {
    float advance;
    int first, count;  // its strokes
};

struct StrokeFont {
    float top, bottom;  // above and below the baseline, in font units
    const StrokeGlyph* glyphs;  // 128 of them, ASCII
    const Stroke* strokes;
    const StrokePoint* points;
};

// The fonts, one table each.
extern const BitmapFont glutBitmap8By13Font, glutBitmap9By15Font, glutBitmapTimesRoman10Font,
    glutBitmapTimesRoman24Font, glutBitmapHelvetica10Font, glutBitmapHelvetica12Font, glutBitmapHelvetica18Font;
extern const StrokeFont glutStrokeRomanFont, glutStrokeMonoRomanFont;
