// The web layer's per-vertex lighting against OpenGL's lighting equation
// worked by hand, under the state the program sets: white light-model
// ambient, a directional light from (5, 5, 5) given at the identity,
// colour material, white specular of shininess 40 and the normal (0, 0, 1).
#include <gtest/gtest.h>

#include "web/gl/lighting.h"

namespace {

LightingState programState(bool normalize = true)
{
    LightingState s;
    s.colorMaterial = true;
    s.light0 = true;
    s.normalize = normalize;
    for (int i = 0; i < 3; i++) {
        s.modelAmbient[i] = 1;
        s.matSpecular[i] = 1;
        s.lightPosition[i] = 5;
    }
    s.lightPosition[3] = 0;
    s.shininess = 40;
    return s;
}

TEST(LightingTest, VertexColoursFollowTheLightingEquation)
{
    // n.L = 1/sqrt(3) = 0.57735 facing the viewer; h = normalize(L + (0, 0, 1)),
    // so n.h = 1.57735 / 1.77615 = 0.888074 and its 40th power 0.008672.
    const float highlight = 0.008672f, diffuse = 0.57735f;
    const struct {
        const char* what;
        glcore::Mat4 modelview;
        bool normalize;
        float color[3], expected[3];
    } cases[] = {
        {"facing the viewer", glcore::identity(), true, {0.2f, 0.1f, 0.05f},
         {0.2f * (1 + diffuse) + highlight, 0.1f * (1 + diffuse) + highlight,
          0.05f * (1 + diffuse) + highlight}},
        {"turned away: ambient only", glcore::rotation(180, 0, 1, 0), true, {0.2f, 0.1f, 0.05f}, {0.2f, 0.1f, 0.05f}},
        // Turned to face +x: the same diffuse, but h is far off the normal.
        {"turned a quarter", glcore::rotation(90, 0, 1, 0), true, {0.2f, 0.1f, 0.05f},
         {0.2f * (1 + diffuse), 0.1f * (1 + diffuse), 0.05f * (1 + diffuse)}},
        {"scaled, normalized", glcore::scaling(2, 2, 2), true, {0.2f, 0.1f, 0.05f},
         {0.2f * (1 + diffuse) + highlight, 0.1f * (1 + diffuse) + highlight,
          0.05f * (1 + diffuse) + highlight}},
        // Without GL_NORMALIZE the normal keeps the inverse scale's length 0.5.
        {"scaled, not normalized", glcore::scaling(2, 2, 2), false, {0.2f, 0.1f, 0.05f},
         {0.2f * (1 + diffuse / 2), 0.1f * (1 + diffuse / 2), 0.05f * (1 + diffuse / 2)}},
        {"bright colours clamp at 1", glcore::identity(), true, {0.9f, 0.5f, 0},
         {1, 0.5f * (1 + diffuse) + highlight, highlight}},
    };
    for (const auto& c : cases) {
        float out[3];
        lightVertex(programState(c.normalize), c.modelview, {0, 0, 1}, c.color, out);
        for (int i = 0; i < 3; i++)
            EXPECT_NEAR(out[i], c.expected[i], 2e-5f) << c.what << ", channel " << i;
    }
}

TEST(LightingTest, WithoutColourMaterialTheDefaultMaterialShows)
{
    LightingState s = programState();
    s.colorMaterial = false;  // ambient 0.2 and diffuse 0.8 of the default material
    const float ignored[3] = {1, 0, 0};
    float out[3];
    lightVertex(s, glcore::identity(), {0, 0, 1}, ignored, out);
    for (int i = 0; i < 3; i++)
        EXPECT_NEAR(out[i], 0.2f + 0.8f * 0.57735f + 0.008672f, 2e-5f) << i;
}

}  // namespace
