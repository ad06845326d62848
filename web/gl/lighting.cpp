#include "web/gl/lighting.h"

#include <algorithm>
#include <cmath>

using glcore::Mat4;
using glcore::Vec3;

static float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

static Vec3 normalized(Vec3 v)
{
    float len = std::sqrt(dot(v, v));
    return len == 0 ? v : Vec3{v.x / len, v.y / len, v.z / len};
}

// Normals go to eye space through the inverse transpose of the modelview's
// upper 3 x 3: its cofactor matrix divided by the determinant.
static Vec3 eyeNormal(const Mat4& mv, Vec3 n)
{
    auto a = [&](int row, int col) { return mv.m[col * 4 + row]; };
    float c[3][3];
    for (int r = 0; r < 3; r++)
        for (int k = 0; k < 3; k++) {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3, k1 = (k + 1) % 3, k2 = (k + 2) % 3;
            c[r][k] = a(r1, k1) * a(r2, k2) - a(r1, k2) * a(r2, k1);
        }
    float det = a(0, 0) * c[0][0] + a(0, 1) * c[0][1] + a(0, 2) * c[0][2];
    if (det == 0)
        return n;
    return {(c[0][0] * n.x + c[0][1] * n.y + c[0][2] * n.z) / det,
            (c[1][0] * n.x + c[1][1] * n.y + c[1][2] * n.z) / det,
            (c[2][0] * n.x + c[2][1] * n.y + c[2][2] * n.z) / det};
}

void lightVertex(const LightingState& s, const Mat4& modelview, Vec3 normal, const float color[3], float out[3])
{
    const float* ambient = s.colorMaterial ? color : s.matAmbient;
    const float* diffuse = s.colorMaterial ? color : s.matDiffuse;
    Vec3 n = eyeNormal(modelview, normal);
    if (s.normalize)
        n = normalized(n);
    // A directional light (w = 0) shines from its position's direction; a
    // positional one is not used by this program and is treated the same.
    Vec3 l = normalized({s.lightPosition[0], s.lightPosition[1], s.lightPosition[2]});
    float nDotL = std::max(dot(n, l), 0.0f);
    float specular = 0;
    if (nDotL > 0) {
        Vec3 h = normalized({l.x, l.y, l.z + 1});  // the viewer is at infinity along +z
        float nDotH = std::max(dot(n, h), 0.0f);
        specular = std::pow(nDotH, s.shininess);
    }
    for (int i = 0; i < 3; i++) {
        float c = s.matEmission[i] + s.modelAmbient[i] * ambient[i];
        if (s.light0)
            c += s.lightAmbient[i] * ambient[i] + nDotL * s.lightDiffuse[i] * diffuse[i] +
                 specular * s.lightSpecular[i] * s.matSpecular[i];
        out[i] = std::min(std::max(c, 0.0f), 1.0f);
    }
}
