// The web layer's per-vertex lighting against OpenGL's lighting equation
// worked by hand: first under the state the house sets (white light-model
// ambient, a directional light from (5, 5, 5) given at the identity, the
// colour as ambient and diffuse, white specular of shininess 40, the normal
// (0, 0, 1)), then for what other programs reach: positional lights and
// their attenuation, spots, the back's material and a local viewer.
#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <functional>

#include "web/gl/lighting.h"

namespace {

LightingState houseState(const float color[3], bool normalize = true)
{
    LightingState s;
    s.lights[0].enabled = true;
    s.normalize = normalize;
    for (int i = 0; i < 3; i++) {
        s.modelAmbient[i] = 1;
        s.material[0].specular[i] = 1;
        s.material[0].ambient[i] = s.material[0].diffuse[i] = color[i];
        s.lights[0].position[i] = 5;
    }
    s.lights[0].position[3] = 0;
    s.material[0].shininess = 40;
    return s;
}

TEST(LightingTest, VertexColoursFollowTheLightingEquation)
{
    // n.L = 1/sqrt(3) = 0.57735 facing the viewer; h = normalize(L + (0, 0, 1)),
    // so n.h = 1.57735 / 1.77615 = 0.888074 and its 40th power 0.008672.
    const float highlight = 0.008672f, diffuse = 0.57735f;
    const float brown[3] = {0.2f, 0.1f, 0.05f};
    auto lit = [&](float k, float h) {
        return std::array<float, 3>{0.2f * k + h, 0.1f * k + h, 0.05f * k + h};
    };
    const struct {
        const char* what;
        glcore::Mat4 modelview;
        bool normalize;
        std::array<float, 3> expected;
    } cases[] = {
        {"facing the viewer", glcore::identity(), true, lit(1 + diffuse, highlight)},
        {"turned away: ambient only", glcore::rotation(180, 0, 1, 0), true, lit(1, 0)},
        // Turned to face +x: the same diffuse, but h is far off the normal.
        {"turned a quarter", glcore::rotation(90, 0, 1, 0), true, lit(1 + diffuse, 0)},
        {"scaled, normalized", glcore::scaling(2, 2, 2), true, lit(1 + diffuse, highlight)},
        // Without GL_NORMALIZE the normal keeps the inverse scale's length 0.5.
        {"scaled, not normalized", glcore::scaling(2, 2, 2), false, lit(1 + diffuse / 2, 0)},
    };
    const float eye[4] = {0, 0, 0, 1};
    for (const auto& c : cases) {
        float out[4];
        lightVertex(houseState(brown, c.normalize), 0, eye, eyeNormal(c.modelview, {0, 0, 1}), out);
        for (int i = 0; i < 3; i++)
            EXPECT_NEAR(out[i], c.expected[i], 2e-5f) << c.what << ", channel " << i;
    }
}

// Rows beyond the house: each starts from no light but light 0 (white,
// from +z), no ambient anywhere, a material of diffuse 1 and nothing else.
TEST(LightingTest, PositionalLightsSpotsBacksAndALocalViewer)
{
    const float root5 = std::sqrt(5.0f);
    const struct {
        const char* what;
        std::function<void(LightingState&)> set;
        int side;
        float eye[4], normal[3], expected[3];
    } rows[] = {
        {"bright colours clamp at 1", [](LightingState& s) { s.material[0].emission[0] = 0.5f; }, 0,
         {0, 0, 0, 1}, {0, 0, 1}, {1, 1, 1}},
        // At (0, 0, 2): d = 2, so 1 / (1 + 0.5 d + 0.25 d^2) = 1/3 of diffuse
        // 0.6 and specular 0.3 (h = n).
        {"attenuated", [](LightingState& s) {
             Light& l = s.lights[0];
             l.position[2] = 2, l.position[3] = 1, l.attenuation[1] = 0.5f, l.attenuation[2] = 0.25f;
             s.material[0].diffuse[0] = 0.6f, s.material[0].specular[0] = 0.3f;
         }, 0, {0, 0, 0, 1}, {0, 0, 1}, {0.3f, 1 / 3.0f, 1 / 3.0f}},
        // From (0, 0, 2) down -z, 30 degrees, exponent 2: at (1, 0, 0) the
        // cosine is 2 / sqrt(5), spot 0.8, n.L 2 / sqrt(5).
        {"inside a spot", [](LightingState& s) {
             Light& l = s.lights[0];
             l.position[2] = 2, l.position[3] = 1, l.spotCutoff = 30, l.spotExponent = 2;
         }, 0, {1, 0, 0, 1}, {0, 0, 1}, {0.8f * 2 / root5, 0.8f * 2 / root5, 0.8f * 2 / root5}},
        {"outside the spot", [](LightingState& s) {
             Light& l = s.lights[0];
             l.position[2] = 2, l.position[3] = 1, l.spotCutoff = 30, l.spotExponent = 2;
         }, 0, {2, 0, 0, 1}, {0, 0, 1}, {0, 0, 0}},
        {"the back's own material", [](LightingState& s) {
             for (int i = 0; i < 3; i++)
                 s.material[1].diffuse[i] = i == 2 ? 1.0f : 0.0f;
         }, 1, {0, 0, 0, 1}, {0, 0, 1}, {0, 0, 1}},
        // Specular alone, shininess 1, at (1, 0, -1): h halves (0, 0, 1) and
        // the way to the eye, (-1, 0, 1) / sqrt(2), so n.h = 0.92388.
        {"a local viewer", [](LightingState& s) {
             s.localViewer = true;
             s.material[0].diffuse[0] = s.material[0].diffuse[1] = s.material[0].diffuse[2] = 0;
             s.material[0].specular[0] = 1, s.material[0].shininess = 1;
         }, 0, {1, 0, -1, 1}, {0, 0, 1}, {0.92388f, 0, 0}},
        // 0.5 from light 0, and 0.25 of light 1 at 45 degrees.
        {"two lights add", [](LightingState& s) {
             s.lights[0].diffuse[0] = 0.5f;
             s.lights[1].enabled = true;
             s.lights[1].diffuse[0] = 0.25f, s.lights[1].position[0] = 1, s.lights[1].position[2] = 1;
             s.material[0].diffuse[1] = s.material[0].diffuse[2] = 0;
         }, 0, {0, 0, 0, 1}, {0, 0, 1}, {0.5f + 0.25f * 0.70711f, 0, 0}},
    };
    for (const auto& r : rows) {
        LightingState s;
        s.lights[0].enabled = true;
        for (int i = 0; i < 3; i++)
            s.modelAmbient[i] = s.material[0].ambient[i] = s.material[1].ambient[i] = 0;
        for (int i = 0; i < 3; i++)
            s.material[0].diffuse[i] = s.material[1].diffuse[i] = 1;
        r.set(s);
        float out[4];
        lightVertex(s, r.side, r.eye, {r.normal[0], r.normal[1], r.normal[2]}, out);
        for (int i = 0; i < 3; i++)
            EXPECT_NEAR(out[i], r.expected[i], 2e-5f) << r.what << ", channel " << i;
    }
}

}  // namespace
