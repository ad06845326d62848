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

LightingState::LightingState()
{
    for (int i = 0; i < 3; i++)
        lights[0].diffuse[i] = lights[0].specular[i] = 1;
}

// The inverse transpose of the upper 3 x 3: its cofactor matrix divided by
// the determinant.
NormalMatrix normalMatrix(const Mat4& mv)
{
    auto a = [&](int row, int col) { return mv.m[col * 4 + row]; };
    NormalMatrix out{{1, 0, 0, 0, 1, 0, 0, 0, 1}};
    float c[3][3];
    for (int r = 0; r < 3; r++)
        for (int k = 0; k < 3; k++) {
            int r1 = (r + 1) % 3, r2 = (r + 2) % 3, k1 = (k + 1) % 3, k2 = (k + 2) % 3;
            c[r][k] = a(r1, k1) * a(r2, k2) - a(r1, k2) * a(r2, k1);
        }
    float det = a(0, 0) * c[0][0] + a(0, 1) * c[0][1] + a(0, 2) * c[0][2];
    if (det == 0)
        return out;
    for (int r = 0; r < 3; r++)
        for (int k = 0; k < 3; k++)
            out.m[r * 3 + k] = c[r][k] / det;
    return out;
}

Vec3 eyeNormal(const NormalMatrix& m, Vec3 n)
{
    return {m.m[0] * n.x + m.m[1] * n.y + m.m[2] * n.z, m.m[3] * n.x + m.m[4] * n.y + m.m[5] * n.z,
            m.m[6] * n.x + m.m[7] * n.y + m.m[8] * n.z};
}

Vec3 eyeNormal(const Mat4& mv, Vec3 n)
{
    return eyeNormal(normalMatrix(mv), n);
}

void prepareLights(const LightingState& s, PreparedLights& out)
{
    out.count = 0;
    for (const Light& l : s.lights) {
        if (!l.enabled)
            continue;
        auto& p = out.on[out.count++];
        p.light = &l;
        p.directional = l.position[3] == 0;
        p.unit = normalized({l.position[0], l.position[1], l.position[2]});
        p.half = normalized({p.unit.x, p.unit.y, p.unit.z + 1});
    }
}

// c = e + a * a_model + sum over lights of att * spot * (a * a_light
//     + (n . L) d * d_light + f (n . h)^shininess s * s_light)
void lightVertex(const LightingState& s, int side, const float eye[4], Vec3 n, float out[4],
                 const PreparedLights* prepared)
{
    PreparedLights own;
    if (!prepared) {
        prepareLights(s, own);
        prepared = &own;
    }
    const Material& m = s.material[side];
    if (s.normalize)
        n = normalized(n);
    const float w = eye[3] != 0 ? eye[3] : 1;
    const Vec3 v = {eye[0] / w, eye[1] / w, eye[2] / w};
    float c[3];
    for (int i = 0; i < 3; i++)
        c[i] = m.emission[i] + m.ambient[i] * s.modelAmbient[i];
    for (int k = 0; k < prepared->count; k++) {
        const Light& l = *prepared->on[k].light;
        const bool directional = prepared->on[k].directional;
        Vec3 toLight;
        float attenuation = 1;
        if (!directional) {
            const float lw = l.position[3];
            const Vec3 d = {l.position[0] / lw - v.x, l.position[1] / lw - v.y, l.position[2] / lw - v.z};
            const float distance = std::sqrt(dot(d, d));
            attenuation = 1 / (l.attenuation[0] + l.attenuation[1] * distance + l.attenuation[2] * distance * distance);
            toLight = normalized(d);
        } else {
            toLight = prepared->on[k].unit;
        }
        float spot = 1;
        if (l.spotCutoff != 180) {
            const Vec3 dir = normalized({l.spotDirection[0], l.spotDirection[1], l.spotDirection[2]});
            const float cosine = -dot(toLight, dir);
            spot = cosine >= std::cos(l.spotCutoff * 3.14159265358979f / 180) ? std::pow(std::max(cosine, 0.0f), l.spotExponent)
                                                                               : 0;
        }
        const float nDotL = std::max(dot(n, toLight), 0.0f);
        float specular = 0;
        if (nDotL > 0 && (m.specular[0] != 0 || m.specular[1] != 0 || m.specular[2] != 0)) {
            Vec3 h = prepared->on[k].half;  // an infinite viewer's, from a directional light
            if (s.localViewer || !directional) {
                const Vec3 toEye = s.localViewer ? normalized({-v.x, -v.y, -v.z}) : Vec3{0, 0, 1};
                h = normalized({toLight.x + toEye.x, toLight.y + toEye.y, toLight.z + toEye.z});
            }
            const float nDotH = std::max(dot(n, h), 0.0f);
            specular = m.shininess == 0 ? 1 : std::pow(nDotH, m.shininess);
        }
        const float f = attenuation * spot;
        for (int i = 0; i < 3; i++)
            c[i] += f * (m.ambient[i] * l.ambient[i] + nDotL * m.diffuse[i] * l.diffuse[i] +
                         specular * m.specular[i] * l.specular[i]);
    }
    for (int i = 0; i < 3; i++)
        out[i] = std::min(std::max(c[i], 0.0f), 1.0f);
    out[3] = std::min(std::max(m.diffuse[3], 0.0f), 1.0f);
}

ShaderLights shaderLights(const LightingState& s, int colorMaterial)
{
    ShaderLights out;
    out.colorMaterial = colorMaterial;
    const Material& m = s.material[0];
    const float* parts[] = {m.emission, m.ambient, m.diffuse, m.specular, s.modelAmbient};
    for (int i = 0; i < 5; i++)
        std::memcpy(out.material[i], parts[i], sizeof out.material[i]);
    const int tracked[6][2] = {{-1, -1}, {1, -1}, {2, -1}, {1, 2}, {3, -1}, {0, -1}};
    for (int i : tracked[colorMaterial])
        if (i >= 0)
            std::memset(out.material[i], 0, sizeof out.material[i]);
    out.material[5][0] = m.shininess;
    out.material[5][1] = s.localViewer;
    out.material[5][2] = s.normalize;
    for (const Light& l : s.lights) {
        if (!l.enabled)
            continue;
        float(&o)[6][4] = out.lights[out.count++];
        std::memcpy(o[0], l.ambient, sizeof o[0]);
        std::memcpy(o[1], l.diffuse, sizeof o[1]);
        std::memcpy(o[2], l.specular, sizeof o[2]);
        std::memcpy(o[3], l.position, sizeof o[3]);
        const Vec3 dir = normalized({l.spotDirection[0], l.spotDirection[1], l.spotDirection[2]});
        const float cutoff = l.spotCutoff != 180 ? std::cos(l.spotCutoff * 3.14159265358979f / 180) : -2;
        const float spot[4] = {dir.x, dir.y, dir.z, cutoff};
        std::memcpy(o[4], spot, sizeof o[4]);
        if (l.position[3] == 0 && l.spotCutoff == 180 && !s.localViewer) {  // as prepareLights has it
            const Vec3 unit = normalized({l.position[0], l.position[1], l.position[2]});
            const Vec3 half = normalized({unit.x, unit.y, unit.z + 1});
            const float given[2][4] = {{unit.x, unit.y, unit.z, 0}, {half.x, half.y, half.z, 0}};
            std::memcpy(o[3], given, sizeof given);
            out.directional |= 1 << (out.count - 1);
        }
        std::memcpy(o[5], l.attenuation, sizeof l.attenuation);
        o[5][3] = l.spotExponent;
    }
    return out;
}
