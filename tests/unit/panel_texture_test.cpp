// The texture repeat of every panel of both storeys: the usual order gets
// (0, 0), (s, 0), (s, s), (0, s) on each face.
#include "scene/house_shell.h"
#include "scene/house_structure.h"
#include "test_support.h"

namespace {

struct Repeat {
    float front, back;
};

// A window bay's nine panels; the bar between the panes differs per face.
const std::vector<Repeat> bay = {{1, 1},     {0.2f, 0.2f}, {1, 1},       {1, 1},     {0.2f, 0.2f},
                                 {0.2f, 0.2f}, {0.2f, 0.2f}, {0.2f, 0.1f}, {0.7f, 0.7f}};

std::vector<Repeat> storey(std::vector<Repeat> before, const std::vector<Repeat>& after)
{
    for (int i = 0; i < 3; i++)
        before.insert(before.end(), bay.begin(), bay.end());
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

void expectRepeats(const std::vector<Repeat>& repeats)
{
    const auto& prims = rgl::gl.primitives;
    ASSERT_EQ(prims.size(), repeats.size() * 2);
    for (size_t k = 0; k < repeats.size(); k++)
        for (int face = 0; face < 2; face++) {
            float s = face == 0 ? repeats[k].front : repeats[k].back;
            const float want[4][2] = {{0, 0}, {s, 0}, {s, s}, {0, s}};
            const auto& v = prims[k * 2 + (size_t)face].vertices;
            ASSERT_EQ(v.size(), 4u) << "panel " << k;
            for (size_t i = 0; i < 4; i++)
                EXPECT_TRUE(v[i].s == want[i][0] && v[i].t == want[i][1])
                    << "panel " << k << (face ? " back" : " front") << " vertex " << i << ": (" << v[i].s << ", "
                    << v[i].t << ")";
        }
}

TEST(PanelTextureTest, GroundLevelBaysAndRoomPieces)
{
    freshStart();
    drawHouseShell();
    // Rows 1 to 11c; the door leaf repeats once, the lintel 0.7 times.
    expectRepeats(storey({}, {{1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f},
                              {1.5f, 1.5f}, {1.5f, 1.5f}, {1, 1}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f},
                              {0.7f, 0.7f}}));
}

TEST(PanelTextureTest, UpperStoreySlabBaysAndWalls)
{
    freshStart();
    drawHouse();
    // F1 and F2 first; W8 repeats once, the lintel W12 0.7 times.
    expectRepeats(storey({{1.5f, 1.5f}, {1.5f, 1.5f}},
                         {{1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f},
                          {1.5f, 1.5f}, {1, 1}, {1.5f, 1.5f}, {1.5f, 1.5f}, {1.5f, 1.5f}, {0.7f, 0.7f}}));
}

}  // namespace
