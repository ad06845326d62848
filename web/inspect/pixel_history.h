// Which steps of a recorded frame reached one pixel, and what became of
// each there: face culling, the alpha test (on the colour GL lit or was
// given, not a texture's alpha), the depth test and blending played over
// the frame's own triangles and lines, in drawing order, as OpenGL's
// pipeline decides them at that pixel's centre.
#pragma once

#include <cstddef>
#include <vector>

#include "web/inspect/record.h"

namespace inspect {

struct PixelEntry {
    enum Fate { seen, covered, hidden, culled, alphaFailed, blended } fate;
    size_t step;   // in Record::steps
    size_t other;  // covered, blended: the later step drawn over it; hidden: the earlier step in front
    float depth;   // the fragment's window depth
};

// (x, y) in window pixels, y growing upwards as in glViewport.
std::vector<PixelEntry> pixelHistory(const Record& record, int x, int y);

}  // namespace inspect
