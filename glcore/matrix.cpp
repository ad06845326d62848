#include "glcore/matrix.h"

#include <cmath>

namespace glcore {

// By cofactors.
bool invert(const double m[16], double out[16])
{
    double inv[16];
    inv[0] = m[5] * m[10] * m[15] - m[5] * m[11] * m[14] - m[9] * m[6] * m[15] + m[9] * m[7] * m[14] + m[13] * m[6] * m[11] - m[13] * m[7] * m[10];
    inv[4] = -m[4] * m[10] * m[15] + m[4] * m[11] * m[14] + m[8] * m[6] * m[15] - m[8] * m[7] * m[14] - m[12] * m[6] * m[11] + m[12] * m[7] * m[10];
    inv[8] = m[4] * m[9] * m[15] - m[4] * m[11] * m[13] - m[8] * m[5] * m[15] + m[8] * m[7] * m[13] + m[12] * m[5] * m[11] - m[12] * m[7] * m[9];
    inv[12] = -m[4] * m[9] * m[14] + m[4] * m[10] * m[13] + m[8] * m[5] * m[14] - m[8] * m[6] * m[13] - m[12] * m[5] * m[10] + m[12] * m[6] * m[9];
    inv[1] = -m[1] * m[10] * m[15] + m[1] * m[11] * m[14] + m[9] * m[2] * m[15] - m[9] * m[3] * m[14] - m[13] * m[2] * m[11] + m[13] * m[3] * m[10];
    inv[5] = m[0] * m[10] * m[15] - m[0] * m[11] * m[14] - m[8] * m[2] * m[15] + m[8] * m[3] * m[14] + m[12] * m[2] * m[11] - m[12] * m[3] * m[10];
    inv[9] = -m[0] * m[9] * m[15] + m[0] * m[11] * m[13] + m[8] * m[1] * m[15] - m[8] * m[3] * m[13] - m[12] * m[1] * m[11] + m[12] * m[3] * m[9];
    inv[13] = m[0] * m[9] * m[14] - m[0] * m[10] * m[13] - m[8] * m[1] * m[14] + m[8] * m[2] * m[13] + m[12] * m[1] * m[10] - m[12] * m[2] * m[9];
    inv[2] = m[1] * m[6] * m[15] - m[1] * m[7] * m[14] - m[5] * m[2] * m[15] + m[5] * m[3] * m[14] + m[13] * m[2] * m[7] - m[13] * m[3] * m[6];
    inv[6] = -m[0] * m[6] * m[15] + m[0] * m[7] * m[14] + m[4] * m[2] * m[15] - m[4] * m[3] * m[14] - m[12] * m[2] * m[7] + m[12] * m[3] * m[6];
    inv[10] = m[0] * m[5] * m[15] - m[0] * m[7] * m[13] - m[4] * m[1] * m[15] + m[4] * m[3] * m[13] + m[12] * m[1] * m[7] - m[12] * m[3] * m[5];
    inv[14] = -m[0] * m[5] * m[14] + m[0] * m[6] * m[13] + m[4] * m[1] * m[14] - m[4] * m[2] * m[13] - m[12] * m[1] * m[6] + m[12] * m[2] * m[5];
    inv[3] = -m[1] * m[6] * m[11] + m[1] * m[7] * m[10] + m[5] * m[2] * m[11] - m[5] * m[3] * m[10] - m[9] * m[2] * m[7] + m[9] * m[3] * m[6];
    inv[7] = m[0] * m[6] * m[11] - m[0] * m[7] * m[10] - m[4] * m[2] * m[11] + m[4] * m[3] * m[10] + m[8] * m[2] * m[7] - m[8] * m[3] * m[6];
    inv[11] = -m[0] * m[5] * m[11] + m[0] * m[7] * m[9] + m[4] * m[1] * m[11] - m[4] * m[3] * m[9] - m[8] * m[1] * m[7] + m[8] * m[3] * m[5];
    inv[15] = m[0] * m[5] * m[10] - m[0] * m[6] * m[9] - m[4] * m[1] * m[10] + m[4] * m[2] * m[9] + m[8] * m[1] * m[6] - m[8] * m[2] * m[5];
    const double det = m[0] * inv[0] + m[1] * inv[4] + m[2] * inv[8] + m[3] * inv[12];
    if (det == 0)
        return false;
    for (int i = 0; i < 16; i++)
        out[i] = inv[i] / det;
    return true;
}


Mat4 identity()
{
    Mat4 r{};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1;
    return r;
}

Mat4 multiply(const Mat4& a, const Mat4& b)
{
    Mat4 r{};
    for (int c = 0; c < 4; c++)
        for (int row = 0; row < 4; row++) {
            float sum = 0;
            for (int k = 0; k < 4; k++)
                sum += a.m[k * 4 + row] * b.m[c * 4 + k];
            r.m[c * 4 + row] = sum;
        }
    return r;
}

void transform4(const Mat4& m, Vec3 p, float out[4])
{
    for (int row = 0; row < 4; row++)
        out[row] = m.m[row] * p.x + m.m[4 + row] * p.y + m.m[8 + row] * p.z + m.m[12 + row];
}

Vec3 transformPoint(const Mat4& m, Vec3 p)
{
    float h[4];
    transform4(m, p, h);
    return {h[0] / h[3], h[1] / h[3], h[2] / h[3]};
}

Mat4 translation(float x, float y, float z)
{
    Mat4 r = identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Mat4 rotation(float angle, float x, float y, float z)
{
    float len = std::sqrt(x * x + y * y + z * z);
    if (len == 0)
        return identity();
    x /= len;
    y /= len;
    z /= len;
    float rad = angle * 3.14159265358979323846f / 180.0f;
    float c = std::cos(rad), s = std::sin(rad), t = 1 - c;
    Mat4 r = identity();
    r.m[0] = x * x * t + c;
    r.m[1] = y * x * t + z * s;
    r.m[2] = x * z * t - y * s;
    r.m[4] = x * y * t - z * s;
    r.m[5] = y * y * t + c;
    r.m[6] = y * z * t + x * s;
    r.m[8] = x * z * t + y * s;
    r.m[9] = y * z * t - x * s;
    r.m[10] = z * z * t + c;
    return r;
}

Mat4 scaling(float x, float y, float z)
{
    Mat4 r = identity();
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}

Mat4 ortho(double l, double r, double b, double t, double n, double f)
{
    Mat4 m = identity();
    m.m[0] = (float)(2 / (r - l));
    m.m[5] = (float)(2 / (t - b));
    m.m[10] = (float)(-2 / (f - n));
    m.m[12] = (float)(-(r + l) / (r - l));
    m.m[13] = (float)(-(t + b) / (t - b));
    m.m[14] = (float)(-(f + n) / (f - n));
    return m;
}

Mat4 perspective(double fovy, double aspect, double zNear, double zFar)
{
    double radians = fovy / 2 * 3.14159265358979323846 / 180;
    double deltaZ = zFar - zNear;
    double cotangent = std::cos(radians) / std::sin(radians);
    Mat4 m{};
    m.m[0] = (float)(cotangent / aspect);
    m.m[5] = (float)cotangent;
    m.m[10] = (float)(-(zFar + zNear) / deltaZ);
    m.m[11] = -1;
    m.m[14] = (float)(-2 * zNear * zFar / deltaZ);
    return m;
}

static void normalize(float v[3])
{
    float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len == 0)
        return;
    for (int i = 0; i < 3; i++)
        v[i] /= len;
}

static void cross(const float a[3], const float b[3], float out[3])
{
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

Mat4 lookAt(double ex, double ey, double ez, double cx, double cy, double cz, double ux, double uy, double uz)
{
    float forward[3] = {(float)(cx - ex), (float)(cy - ey), (float)(cz - ez)};
    float up[3] = {(float)ux, (float)uy, (float)uz};
    float side[3];
    normalize(forward);
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);
    Mat4 m = identity();
    for (int i = 0; i < 3; i++) {
        m.m[i * 4 + 0] = side[i];
        m.m[i * 4 + 1] = up[i];
        m.m[i * 4 + 2] = -forward[i];
    }
    return multiply(m, translation((float)-ex, (float)-ey, (float)-ez));
}

bool MatrixStacks::push()
{
    std::vector<Mat4>& stack = current();
    if (stack.size() >= (projectionMode ? 2u : 32u))
        return false;
    stack.push_back(stack.back());
    return true;
}

bool MatrixStacks::pop()
{
    std::vector<Mat4>& stack = current();
    if (stack.size() <= 1)
        return false;
    stack.pop_back();
    return true;
}

}  // namespace glcore
