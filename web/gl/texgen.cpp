// Texture coordinates generated from the vertex (glTexGen): in object or
// eye coordinates from a plane each, or from the direction the eye sees
// reflected at the vertex (the sphere map).
#include <GL/gl.h>

#include <cmath>

#include "web/gl/gl_context.h"

namespace glweb {

void Context::texGen(int coord, GLenum pname, const double* params)
{
    TexGen& g = texGens[coord];
    if (pname == GL_TEXTURE_GEN_MODE) {
        g.mode = (GLenum)params[0];
    } else if (pname == GL_OBJECT_PLANE) {
        for (int i = 0; i < 4; i++)
            g.objectPlane[i] = (float)params[i];
    } else if (pname == GL_EYE_PLANE) {
        // Kept as the plane times the inverse of the modelview of the moment.
        const glcore::Mat4& m = stacks.modelview.back();
        double mm[16], inverse[16];
        for (int i = 0; i < 16; i++)
            mm[i] = m.m[i];
        if (!glcore::invert(mm, inverse))
            return;
        for (int c = 0; c < 4; c++)
            g.eyePlane[c] = (float)(params[0] * inverse[c * 4] + params[1] * inverse[c * 4 + 1] +
                                    params[2] * inverse[c * 4 + 2] + params[3] * inverse[c * 4 + 3]);
    }
}

// The current texture coordinates with those being generated replaced.
void Context::generate(const float object[4], const float eye[4], glcore::Vec3 normal, float out[4]) const
{
    for (int k = 0; k < 4; k++)
        out[k] = currentTexCoord[k];
    float m[2] = {0, 0};
    bool sphere = false;
    for (int k = 0; k < 4; k++)
        sphere = sphere || (texGens[k].on && texGens[k].mode == GL_SPHERE_MAP);
    if (sphere) {
        // r = u - 2 n (n . u), u the unit vector from the eye to the vertex.
        const float len = std::sqrt(eye[0] * eye[0] + eye[1] * eye[1] + eye[2] * eye[2]);
        const float ul = len > 0 ? len : 1;
        const float u[3] = {eye[0] / ul, eye[1] / ul, eye[2] / ul};
        const float nl = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
        const float nk = nl > 0 ? nl : 1;
        const float n[3] = {normal.x / nk, normal.y / nk, normal.z / nk};
        const float d = n[0] * u[0] + n[1] * u[1] + n[2] * u[2];
        const float r[3] = {u[0] - 2 * n[0] * d, u[1] - 2 * n[1] * d, u[2] - 2 * n[2] * d};
        const float p = 2 * std::sqrt(r[0] * r[0] + r[1] * r[1] + (r[2] + 1) * (r[2] + 1));
        m[0] = p > 0 ? r[0] / p + 0.5f : 0.5f;
        m[1] = p > 0 ? r[1] / p + 0.5f : 0.5f;
    }
    for (int k = 0; k < 4; k++) {
        const TexGen& g = texGens[k];
        if (!g.on)
            continue;
        if (g.mode == GL_OBJECT_LINEAR)
            out[k] = g.objectPlane[0] * object[0] + g.objectPlane[1] * object[1] + g.objectPlane[2] * object[2] +
                     g.objectPlane[3] * object[3];
        else if (g.mode == GL_EYE_LINEAR)
            out[k] = g.eyePlane[0] * eye[0] + g.eyePlane[1] * eye[1] + g.eyePlane[2] * eye[2] + g.eyePlane[3] * eye[3];
        else if (g.mode == GL_SPHERE_MAP && k < 2)
            out[k] = m[k];
    }
}

}  // namespace glweb
