// GLUT's solid and wire shapes, made here from their geometry: the sphere,
// the cone (with its base) and the cylinder-like torus as grids with
// smooth normals, the cube and the four other regular solids as flat faces
// with a normal each. The regular solids' faces are found from their
// corners: the planes through three corners with every other corner behind.
#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "web/gl/gl_notes.h"

namespace {

const double pi = 3.14159265358979323846;

struct V {
    double x, y, z;
};

V sub(V a, V b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V cross(V a, V b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V unit(V a)
{
    const double l = std::sqrt(dot(a, a));
    return {a.x / l, a.y / l, a.z / l};
}

void quadric(GLenum style, void (*draw)(GLUquadric*))
{
    GLUquadric* q = gluNewQuadric();
    gluQuadricDrawStyle(q, style);
    gluQuadricNormals(q, GLU_SMOOTH);
    draw(q);
    gluDeleteQuadric(q);
}

// The faces of the convex solid with these corners, each counter-clockwise
// seen from outside.
std::vector<std::vector<int>> facesOf(const std::vector<V>& corners)
{
    std::vector<std::vector<int>> faces;
    const int n = (int)corners.size();
    for (int i = 0; i < n; i++)
        for (int j = i + 1; j < n; j++)
            for (int k = j + 1; k < n; k++) {
                V normal = cross(sub(corners[j], corners[i]), sub(corners[k], corners[i]));
                if (dot(normal, normal) < 1e-12)
                    continue;
                if (dot(normal, corners[i]) < 0)
                    normal = {-normal.x, -normal.y, -normal.z};
                std::vector<int> on;
                bool supporting = true;
                for (int m = 0; m < n && supporting; m++) {
                    const double d = dot(normal, sub(corners[m], corners[i]));
                    if (d > 1e-9)
                        supporting = false;
                    else if (d > -1e-9)
                        on.push_back(m);
                }
                if (!supporting || on[0] != i || on[1] != j || on[2] != k)
                    continue;  // each face once: from its three first corners
                V centre{0, 0, 0};
                const double share = 1.0 / (double)on.size();
                for (int m : on)
                    centre = {centre.x + corners[m].x * share, centre.y + corners[m].y * share,
                              centre.z + corners[m].z * share};
                const V u = unit(sub(corners[on[0]], centre)), w = unit(cross(normal, u));
                std::sort(on.begin(), on.end(), [&](int a, int b) {
                    const V pa = sub(corners[a], centre), pb = sub(corners[b], centre);
                    return std::atan2(dot(pa, w), dot(pa, u)) < std::atan2(dot(pb, w), dot(pb, u));
                });
                faces.push_back(on);
            }
    return faces;
}

void drawSolid(const std::vector<V>& corners, double scale, bool solid)
{
    for (const std::vector<int>& face : facesOf(corners)) {
        const V n = unit(cross(sub(corners[face[1]], corners[face[0]]), sub(corners[face[2]], corners[face[0]])));
        glBegin(solid ? GL_POLYGON : GL_LINE_LOOP);
        glNormal3d(n.x, n.y, n.z);
        for (int m : face)
            glVertex3d(corners[m].x * scale, corners[m].y * scale, corners[m].z * scale);
        glEnd();
    }
}

// Corners one from the centre, the first on +x.
std::vector<V> tetrahedron()
{
    const double r2 = std::sqrt(2.0), r6 = std::sqrt(6.0);
    return {{1, 0, 0}, {-1 / 3.0, 2 * r2 / 3, 0}, {-1 / 3.0, -r2 / 3, r6 / 3}, {-1 / 3.0, -r2 / 3, -r6 / 3}};
}

std::vector<V> octahedron() { return {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}}; }

// Corners one from the centre: two on the x axis, and two rings of five
// about it, the first from +y towards +z, the second turned half a step.
std::vector<V> icosahedron()
{
    const double x = 1 / std::sqrt(5.0), r = 2 / std::sqrt(5.0);
    std::vector<V> c = {{1, 0, 0}, {-1, 0, 0}};
    for (int k = 0; k < 5; k++) {
        const double a = 2 * pi * k / 5, b = a + pi / 5;
        c.push_back({x, r * std::cos(a), r * std::sin(a)});
        c.push_back({-x, r * std::cos(b), r * std::sin(b)});
    }
    return c;
}

std::vector<V> dodecahedron()
{
    const double g = (1 + std::sqrt(5.0)) / 2;
    std::vector<V> c;
    for (double x : {-1.0, 1.0})
        for (double y : {-1.0, 1.0}) {
            for (double z : {-1.0, 1.0})
                c.push_back({x, y, z});
            c.push_back({0, x * g, y / g});
            c.push_back({x / g, 0, y * g});
            c.push_back({x * g, y / g, 0});
        }
    return c;
}

void cube(double size, bool solid)
{
    const double h = size / 2;
    const struct {
        V normal, u, v;
    } faces[] = {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},  {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                 {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                 {{0, -1, 0}, {-1, 0, 0}, {0, 0, -1}}, {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}}};
    // The faces and their corners in the order the desktop's GLUT draws
    // them, front first: without the depth test, the last face drawn shows.
    for (const auto& f : faces) {
        glBegin(solid ? GL_QUADS : GL_LINE_LOOP);
        glNormal3d(f.normal.x, f.normal.y, f.normal.z);
        const double corner[4][2] = {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
        for (const auto& c : corner)
            glVertex3d(h * (f.normal.x + c[0] * f.u.x + c[1] * f.v.x), h * (f.normal.y + c[0] * f.u.y + c[1] * f.v.y),
                       h * (f.normal.z + c[0] * f.u.z + c[1] * f.v.z));
        glEnd();
    }
}

// A tube of radius `inner` about a ring of radius `outer` around the z axis.
void torus(double inner, double outer, int sides, int rings, bool solid)
{
    auto point = [&](int ring, int side) {
        const double theta = 2 * pi * ring / rings, phi = 2 * pi * side / sides;
        const double nx = std::cos(theta) * std::cos(phi), ny = std::sin(theta) * std::cos(phi), nz = std::sin(phi);
        glNormal3d(nx, ny, nz);
        glVertex3d(std::cos(theta) * (outer + inner * std::cos(phi)), std::sin(theta) * (outer + inner * std::cos(phi)),
                   inner * nz);
    };
    if (!solid) {  // a loop round the tube at each ring, and along it at each side
        for (int r = 0; r < rings; r++) {
            glBegin(GL_LINE_LOOP);
            for (int s = 0; s < sides; s++)
                point(r, s);
            glEnd();
        }
        for (int s = 0; s < sides; s++) {
            glBegin(GL_LINE_LOOP);
            for (int r = 0; r < rings; r++)
                point(r, s);
            glEnd();
        }
        return;
    }
    for (int r = 0; r < rings; r++) {
        glBegin(GL_QUAD_STRIP);
        for (int s = 0; s <= sides; s++) {  // outer faces counter-clockwise seen from outside
            point(r, s);
            point(r + 1, s);
        }
        glEnd();
    }
}

double sphereRadius, coneBase, coneHeight;
int shapeSlices, shapeStacks;

void sphere(GLUquadric* q) { gluSphere(q, sphereRadius, shapeSlices, shapeStacks); }
void cone(GLUquadric* q)
{
    gluCylinder(q, coneBase, 0, coneHeight, shapeSlices, shapeStacks);
    gluQuadricOrientation(q, GLU_INSIDE);  // the base faces -z
    gluDisk(q, 0, coneBase, shapeSlices, 1);
}

}  // namespace

extern "C" {

void glutSolidSphere(GLdouble radius, GLint slices, GLint stacks)
{
    NOTED("glutSolidSphere", glutSolidSphere, (radius, slices, stacks));
    sphereRadius = radius, shapeSlices = slices, shapeStacks = stacks;
    quadric(GLU_FILL, sphere);
}
void glutWireSphere(GLdouble radius, GLint slices, GLint stacks)
{
    NOTED("glutWireSphere", glutWireSphere, (radius, slices, stacks));
    sphereRadius = radius, shapeSlices = slices, shapeStacks = stacks;
    quadric(GLU_LINE, sphere);
}
void glutSolidCone(GLdouble base, GLdouble height, GLint slices, GLint stacks)
{
    NOTED("glutSolidCone", glutSolidCone, (base, height, slices, stacks));
    coneBase = base, coneHeight = height, shapeSlices = slices, shapeStacks = stacks;
    quadric(GLU_FILL, cone);
}
void glutWireCone(GLdouble base, GLdouble height, GLint slices, GLint stacks)
{
    NOTED("glutWireCone", glutWireCone, (base, height, slices, stacks));
    coneBase = base, coneHeight = height, shapeSlices = slices, shapeStacks = stacks;
    quadric(GLU_LINE, cone);
}
void glutSolidCube(GLdouble size)
{
    NOTED("glutSolidCube", glutSolidCube, (size));
    cube(size, true);
}
void glutWireCube(GLdouble size)
{
    NOTED("glutWireCube", glutWireCube, (size));
    cube(size, false);
}
void glutSolidTorus(GLdouble inner, GLdouble outer, GLint sides, GLint rings)
{
    NOTED("glutSolidTorus", glutSolidTorus, (inner, outer, sides, rings));
    torus(inner, outer, sides, rings, true);
}
void glutWireTorus(GLdouble inner, GLdouble outer, GLint sides, GLint rings)
{
    NOTED("glutWireTorus", glutWireTorus, (inner, outer, sides, rings));
    torus(inner, outer, sides, rings, false);
}
void glutSolidTetrahedron()
{
    NOTED("glutSolidTetrahedron", glutSolidTetrahedron, ());
    drawSolid(tetrahedron(), 1, true);
}
void glutWireTetrahedron()
{
    NOTED("glutWireTetrahedron", glutWireTetrahedron, ());
    drawSolid(tetrahedron(), 1, false);
}
void glutSolidOctahedron()
{
    NOTED("glutSolidOctahedron", glutSolidOctahedron, ());
    drawSolid(octahedron(), 1, true);
}
void glutWireOctahedron()
{
    NOTED("glutWireOctahedron", glutWireOctahedron, ());
    drawSolid(octahedron(), 1, false);
}
void glutSolidIcosahedron()
{
    NOTED("glutSolidIcosahedron", glutSolidIcosahedron, ());
    drawSolid(icosahedron(), 1, true);
}
void glutWireIcosahedron()
{
    NOTED("glutWireIcosahedron", glutWireIcosahedron, ());
    drawSolid(icosahedron(), 1, false);
}
void glutSolidDodecahedron()
{
    NOTED("glutSolidDodecahedron", glutSolidDodecahedron, ());
    drawSolid(dodecahedron(), 1, true);
}
void glutWireDodecahedron()
{
    NOTED("glutWireDodecahedron", glutWireDodecahedron, ());
    drawSolid(dodecahedron(), 1, false);
}

}  // extern "C"
