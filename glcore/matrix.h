// The matrix side of fixed-function OpenGL: 4 x 4 matrices as GL stores
// them, the products that glTranslatef, glRotatef, glScalef, glOrtho,
// gluPerspective and gluLookAt multiply by, and the two matrix stacks.
// The recording GL of the unit tests and the web platform layer share it.
#pragma once

#include <vector>

namespace glcore {

struct Vec3 {
    float x, y, z;
};

// Column-major, as OpenGL stores it.
struct Mat4 {
    float m[16];
};

Mat4 identity();
Mat4 multiply(const Mat4& a, const Mat4& b);
// The point under m, divided by w.
Vec3 transformPoint(const Mat4& m, Vec3 p);
// The homogeneous point under m, w kept: out receives x, y, z, w.
void transform4(const Mat4& m, Vec3 p, float out[4]);

// The inverse of a column-major 4 x 4 matrix: false, for a singular one.
bool invert(const double m[16], double out[16]);

Mat4 translation(float x, float y, float z);
Mat4 rotation(float angle, float x, float y, float z);
Mat4 scaling(float x, float y, float z);
Mat4 ortho(double left, double right, double bottom, double top, double zNear, double zFar);
// As libGLU computes them: perspective in double precision, lookAt in float.
Mat4 perspective(double fovy, double aspect, double zNear, double zFar);
Mat4 lookAt(double eyeX, double eyeY, double eyeZ, double centerX, double centerY, double centerZ, double upX,
            double upY, double upZ);

// The modelview and projection stacks, with OpenGL's minimum depths (32 and
// 2). push and pop return false, changing nothing, where GL would raise
// GL_STACK_OVERFLOW or GL_STACK_UNDERFLOW.
struct MatrixStacks {
    std::vector<Mat4> modelview{identity()};
    std::vector<Mat4> projection{identity()};
    bool projectionMode = false;

    std::vector<Mat4>& current() { return projectionMode ? projection : modelview; }
    bool push();
    bool pop();
    void load(const Mat4& m) { current().back() = m; }
    void multiplyBy(const Mat4& m) { current().back() = multiply(current().back(), m); }
};

}  // namespace glcore
