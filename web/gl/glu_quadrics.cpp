// GLU's quadrics: spheres, cylinders (cones among them), disks and partial
// disks, each a grid of slices around the z axis and stacks (or loops)
// along it, drawn filled, as lines, as a silhouette or as points, with
// flat, smooth or no normals pointing out or in, and texture coordinates
// when asked for.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "web/gl/gl_notes.h"

struct GLUquadric {
    GLenum drawStyle = GLU_FILL, normals = GLU_SMOOTH, orientation = GLU_OUTSIDE;
    bool texture = false;
};

namespace {

const double pi = 3.14159265358979323846;

struct GridPoint {
    double x, y, z, nx, ny, nz, s, t;
};

// What a silhouette keeps of a grid's lines: its first and last rows (the
// rims), and of its columns all, the first and last, or none.
struct Silhouette {
    bool rims;
    enum { allColumns, endColumns, noColumns } columns;
};

// A point of a grid: its normal (turned in for an inside quadric) and
// texture coordinates as the quadric asks, then the vertex.
void putPoint(const GLUquadric* q, const GridPoint& g)
{
    const double sign = q->orientation == GLU_INSIDE ? -1 : 1;
    if (q->normals != GLU_NONE)
        glNormal3d(sign * g.nx, sign * g.ny, sign * g.nz);
    if (q->texture)
        glTexCoord2d(g.s, g.t);
    glVertex3d(g.x, g.y, g.z);
}

// Draws a grid of (rows + 1) x (columns + 1) points, row by row, as the
// quadric's style asks.
void drawGrid(const GLUquadric* q, const std::vector<GridPoint>& p, int rows, int columns, Silhouette silhouette)
{
    const int stride = columns + 1;
    const bool inside = q->orientation == GLU_INSIDE;
    auto put = [&](const GridPoint& g) { putPoint(q, g); };
    if (q->drawStyle == GLU_FILL) {
        for (int r = 0; r < rows; r++) {
            glBegin(GL_QUAD_STRIP);
            for (int c = 0; c <= columns; c++) {
                // Outside faces wind counter-clockwise seen from outside.
                put(p[(inside ? r : r + 1) * stride + c]);
                put(p[(inside ? r + 1 : r) * stride + c]);
            }
            glEnd();
        }
    } else if (q->drawStyle == GLU_POINT) {
        glBegin(GL_POINTS);
        for (const GridPoint& g : p)
            put(g);
        glEnd();
    } else {
        // Lines: each row's ring and each column's line, or what a
        // silhouette keeps of them.
        const bool outline = q->drawStyle == GLU_SILHOUETTE;
        for (int r = 0; r <= rows; r++) {
            if (outline && !(silhouette.rims && (r == 0 || r == rows)))
                continue;
            glBegin(GL_LINE_STRIP);
            for (int c = 0; c <= columns; c++)
                put(p[r * stride + c]);
            glEnd();
        }
        for (int c = 0; c <= columns; c++) {
            if (outline && (silhouette.columns == Silhouette::noColumns ||
                            (silhouette.columns == Silhouette::endColumns && c != 0 && c != columns)))
                continue;
            glBegin(GL_LINE_STRIP);
            for (int r = 0; r <= rows; r++)
                put(p[r * stride + c]);
            glEnd();
        }
    }
}

// A filled sphere in the order the desktop's GLU draws it, which shows
// where the depth test is off: from the top down, each band's slices
// turning back from the last, its caps as fans (the top's first, then the
// bottom's) unless it is textured, when each pole is a point a slice.
void fillSphere(const GLUquadric* q, const std::vector<GridPoint>& p, int stacks, int slices)
{
    const int stride = slices + 1;
    const bool inside = q->orientation == GLU_INSIDE;
    auto put = [&](int r, int c) { putPoint(q, p[(size_t)(r * stride + c)]); };
    int top = stacks - 1, bottom = 0;  // the bands drawn as strips
    if (!q->texture) {
        glBegin(GL_TRIANGLE_FAN);
        put(stacks, 0);
        for (int c = 0; c <= slices; c++)
            put(stacks - 1, inside ? slices - c : c);
        glEnd();
        glBegin(GL_TRIANGLE_FAN);
        put(0, 0);
        for (int c = slices; c >= 0; c--)
            put(1, inside ? slices - c : c);
        glEnd();
        top = stacks - 2, bottom = 1;
    }
    for (int r = top; r >= bottom; r--) {
        glBegin(GL_QUAD_STRIP);
        for (int c = slices; c >= 0; c--) {
            put(inside ? r + 1 : r, c);
            put(inside ? r : r + 1, c);
        }
        glEnd();
    }
}

}  // namespace

extern "C" {

GLUquadric* gluNewQuadric() { return new GLUquadric(); }
void gluDeleteQuadric(GLUquadric* q) { delete q; }
void gluQuadricDrawStyle(GLUquadric* q, GLenum style) { q->drawStyle = style; }
void gluQuadricNormals(GLUquadric* q, GLenum normals) { q->normals = normals; }
void gluQuadricOrientation(GLUquadric* q, GLenum orientation) { q->orientation = orientation; }
void gluQuadricTexture(GLUquadric* q, GLboolean texture) { q->texture = texture != 0; }
void gluQuadricCallback(GLUquadric*, GLenum, _GLUfuncptr) {}  // no error reaches it: the sizes are taken as given

// From the south pole (z = -radius) up to the north, slice 0 on +y.
// Each shape is noted without its quadric, which is made again as it is.
void gluSphere(GLUquadric* q, GLdouble radius, GLint slices, GLint stacks)
{
    NOTED_AS("gluSphere", (radius, (double)slices, (double)stacks),
             [q](const double* a) { gluSphere(q, a[0], (GLint)a[1], (GLint)a[2]); });
    if (slices < 2 || stacks < 1 || radius < 0)
        return;
    std::vector<GridPoint> p;
    std::vector<double> sinTheta((size_t)slices + 1), cosTheta((size_t)slices + 1);
    for (int c = 0; c <= slices; c++) {
        const double theta = c == slices ? 0 : 2 * pi * c / slices;
        sinTheta[(size_t)c] = std::sin(theta);
        cosTheta[(size_t)c] = std::cos(theta);
    }
    for (int r = 0; r <= stacks; r++) {
        const double rho = pi - pi * r / stacks, sinRho = std::sin(rho), cosRho = std::cos(rho);
        for (int c = 0; c <= slices; c++) {
            const double nx = -sinTheta[(size_t)c] * sinRho, ny = cosTheta[(size_t)c] * sinRho, nz = cosRho;
            p.push_back({radius * nx, radius * ny, radius * nz, nx, ny, nz, (double)c / slices, (double)r / stacks});
        }
    }
    if (q->drawStyle == GLU_FILL && stacks > 1)
        return fillSphere(q, p, stacks, slices);
    // A sphere's silhouette is its lines.
    GLUquadric lines = *q;
    if (lines.drawStyle == GLU_SILHOUETTE)
        lines.drawStyle = GLU_LINE;
    drawGrid(&lines, p, stacks, slices, {true, Silhouette::allColumns});
}

// Along +z from the base (radius `base`) to `height` (radius `top`).
void gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    NOTED_AS("gluCylinder", (base, top, height, (double)slices, (double)stacks),
             [q](const double* a) { gluCylinder(q, a[0], a[1], a[2], (GLint)a[3], (GLint)a[4]); });
    if (slices < 2 || stacks < 1 || base < 0 || top < 0 || height < 0)
        return;
    const double slope = height > 0 ? (base - top) / height : 0, length = std::sqrt(1 + slope * slope);
    std::vector<GridPoint> p;
    for (int r = 0; r <= stacks; r++) {
        const double z = height * r / stacks, radius = base + (top - base) * r / stacks;
        for (int c = 0; c <= slices; c++) {
            const double theta = c == slices ? 0 : 2 * pi * c / slices;
            const double sx = -std::sin(theta), sy = std::cos(theta);
            p.push_back({radius * sx, radius * sy, z, sx / length, sy / length, slope / length, (double)c / slices,
                         (double)r / stacks});
        }
    }
    drawGrid(q, p, stacks, slices, {true, Silhouette::allColumns});
}

// In the plane z = 0, facing +z; angles in degrees from +y towards +x.
void gluPartialDisk(GLUquadric* q, GLdouble inner, GLdouble outer, GLint slices, GLint loops, GLdouble start,
                    GLdouble sweep)
{
    NOTED_AS("gluPartialDisk", (inner, outer, (double)slices, (double)loops, start, sweep), [q](const double* a) {
        gluPartialDisk(q, a[0], a[1], (GLint)a[2], (GLint)a[3], a[4], a[5]);
    });
    if (slices < 2 || loops < 1 || inner < 0 || outer < inner)
        return;
    std::vector<GridPoint> p;
    for (int r = 0; r <= loops; r++) {
        const double radius = inner + (outer - inner) * r / loops;
        for (int c = 0; c <= slices; c++) {
            const double angle = (start + sweep * c / slices) * pi / 180;
            const double x = radius * std::sin(angle), y = radius * std::cos(angle);
            p.push_back({x, y, 0, 0, 0, 1, 0.5 + x / (2 * outer), 0.5 + y / (2 * outer)});
        }
    }
    // Rows run outwards and slices clockwise seen from +z: an outside face
    // winds counter-clockwise with the outer ring first in each strip.
    if (q->drawStyle == GLU_FILL) {
        // The normal stays +z (or -z inside): drawn with the rows swapped.
        const int stride = slices + 1;
        const double sign = q->orientation == GLU_INSIDE ? -1 : 1;
        for (int r = 0; r < loops; r++) {
            glBegin(GL_QUAD_STRIP);
            for (int c = 0; c <= slices; c++)
                for (int k : {q->orientation == GLU_INSIDE ? 0 : 1, q->orientation == GLU_INSIDE ? 1 : 0}) {
                    const GridPoint& g = p[(r + k) * stride + c];
                    if (q->normals != GLU_NONE)
                        glNormal3d(0, 0, sign);
                    if (q->texture)
                        glTexCoord2d(g.s, g.t);
                    glVertex3d(g.x, g.y, g.z);
                }
            glEnd();
        }
        return;
    }
    drawGrid(q, p, loops, slices, {true, sweep >= 360 ? Silhouette::noColumns : Silhouette::endColumns});
}

void gluDisk(GLUquadric* q, GLdouble inner, GLdouble outer, GLint slices, GLint loops)
{
    NOTED_AS("gluDisk", (inner, outer, (double)slices, (double)loops),
             [q](const double* a) { gluDisk(q, a[0], a[1], (GLint)a[2], (GLint)a[3]); });
    gluPartialDisk(q, inner, outer, slices, loops, 0, 360);
}

}  // extern "C"
