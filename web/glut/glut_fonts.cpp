// GLUT's bitmap and stroke text. A bitmap glyph is one glBitmap at the
// raster position, drawn with the pixel store GLUT's fonts are kept in; a
// stroke glyph is line strips in the modelview's units, followed by a
// translation by its advance. A handle that names no font draws nothing.
#include "web/glut/glut_fonts.h"
#include "web/gl/gl_notes.h"

#include <GL/gl.h>

namespace {

const BitmapFont* bitmapFont(void* handle)
{
    const struct {
        void* handle;
        const BitmapFont* font;
    } fonts[] = {
        {GLUT_BITMAP_8_BY_13, &glutBitmap8By13Font},
        {GLUT_BITMAP_9_BY_15, &glutBitmap9By15Font},
        {GLUT_BITMAP_TIMES_ROMAN_10, &glutBitmapTimesRoman10Font},
        {GLUT_BITMAP_TIMES_ROMAN_24, &glutBitmapTimesRoman24Font},
        {GLUT_BITMAP_HELVETICA_10, &glutBitmapHelvetica10Font},
        {GLUT_BITMAP_HELVETICA_12, &glutBitmapHelvetica12Font},
        {GLUT_BITMAP_HELVETICA_18, &glutBitmapHelvetica18Font},
    };
    for (const auto& f : fonts)
        if (f.handle == handle) return f.font;
    return nullptr;
}

const StrokeFont* strokeFont(void* handle)
{
    if (handle == GLUT_STROKE_ROMAN) return &glutStrokeRomanFont;
    if (handle == GLUT_STROKE_MONO_ROMAN) return &glutStrokeMonoRomanFont;
    return nullptr;
}

const BitmapGlyph* bitmapGlyph(void* font, int c)
{
    const BitmapFont* f = bitmapFont(font);
    return f && c >= 0 && c < 256 && f->glyphs[c].advance ? &f->glyphs[c] : nullptr;
}

const StrokeGlyph* strokeGlyph(void* font, int c)
{
    const StrokeFont* f = strokeFont(font);
    return f && c >= 0 && c < 128 && f->glyphs[c].advance > 0 ? &f->glyphs[c] : nullptr;
}

// The pixel store the glyphs are kept in, with the program's own put back.
struct GlyphStore {
    GlyphStore()
    {
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        const GLenum zero[] = {GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST, GL_UNPACK_ROW_LENGTH,
                               GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS};
        for (GLenum e : zero) glPixelStorei(e, 0);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~GlyphStore() { glPopClientAttrib(); }
};

void drawBitmap(const BitmapFont& f, const BitmapGlyph& g)
{
    glBitmap(g.width, g.height, g.xorig, g.yorig, g.advance, 0, f.bits + g.offset);
}

void drawStroke(const StrokeFont& f, const StrokeGlyph& g)
{
    for (int s = g.first; s < g.first + g.count; ++s) {
        glBegin(GL_LINE_STRIP);
        for (int p = f.strokes[s].first; p < f.strokes[s].first + f.strokes[s].count; ++p)
            glVertex2f(f.points[p].x, f.points[p].y);
        glEnd();
    }
    glTranslatef(g.advance, 0, 0);
}

}  // namespace

extern "C" {

void glutBitmapCharacter(void* font, int c)
{
    NOTED_AS("glutBitmapCharacter", (c), [font](const double* a) { glutBitmapCharacter(font, (int)a[0]); });
    if (const BitmapGlyph* g = bitmapGlyph(font, c)) {
        GlyphStore store;
        drawBitmap(*bitmapFont(font), *g);
    }
}

void glutBitmapString(void* font, const unsigned char* s)
{
    const BitmapFont* f = bitmapFont(font);
    if (!f || !s) return;
    GlyphStore store;
    GLfloat start[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    GLfloat down = 0;
    for (; *s; ++s) {
        if (*s == '\n') {  // the next line starts below the first one's start
            down += static_cast<GLfloat>(f->height);
            GLfloat at[4];
            glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
            glBitmap(0, 0, 0, 0, start[0] - at[0], start[1] - down - at[1], nullptr);
        } else if (const BitmapGlyph* g = bitmapGlyph(font, *s)) {
            drawBitmap(*f, *g);
        }
    }
}

int glutBitmapWidth(void* font, int c)
{
    const BitmapGlyph* g = bitmapGlyph(font, c);
    return g ? g->advance : 0;
}

int glutBitmapLength(void* font, const unsigned char* s)
{
    int longest = 0, line = 0;
    for (; s && *s; ++s) {
        line = *s == '\n' ? 0 : line + glutBitmapWidth(font, *s);
        if (line > longest) longest = line;
    }
    return longest;
}

int glutBitmapHeight(void* font)
{
    const BitmapFont* f = bitmapFont(font);
    return f ? f->height : 0;
}

void glutStrokeCharacter(void* font, int c)
{
    NOTED_AS("glutStrokeCharacter", (c), [font](const double* a) { glutStrokeCharacter(font, (int)a[0]); });
    if (const StrokeGlyph* g = strokeGlyph(font, c)) drawStroke(*strokeFont(font), *g);
}

void glutStrokeString(void* font, const unsigned char* s)
{
    const StrokeFont* f = strokeFont(font);
    if (!f || !s) return;
    GLfloat along = 0;  // how far this line has gone, to come back at its end
    for (; *s; ++s) {
        if (*s == '\n') {
            glTranslatef(-along, -(f->top + f->bottom), 0);
            along = 0;
        } else if (const StrokeGlyph* g = strokeGlyph(font, *s)) {
            drawStroke(*f, *g);
            along += g->advance;
        }
    }
}

float glutStrokeWidthf(void* font, int c)
{
    const StrokeGlyph* g = strokeGlyph(font, c);
    return g ? g->advance : 0;
}

int glutStrokeWidth(void* font, int c) { return static_cast<int>(glutStrokeWidthf(font, c) + 0.5f); }

GLfloat glutStrokeLengthf(void* font, const unsigned char* s)
{
    float longest = 0, line = 0;
    for (; s && *s; ++s) {
        line = *s == '\n' ? 0 : line + glutStrokeWidthf(font, *s);
        if (line > longest) longest = line;
    }
    return longest;
}

int glutStrokeLength(void* font, const unsigned char* s) { return static_cast<int>(glutStrokeLengthf(font, s) + 0.5f); }

GLfloat glutStrokeHeight(void* font)
{
    const StrokeFont* f = strokeFont(font);
    return f ? f->top + f->bottom : 0;
}

}  // extern "C"
