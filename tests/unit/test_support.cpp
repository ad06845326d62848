#include "test_support.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "state/viewer_state.h"

namespace {

// A copy of every mutable variable as the program starts, taken before any
// test runs (the variables are constant-initialised).
struct Snapshot {
    float sceneScale = ::sceneScale;
    int orthoOn = ::orthoOn;
    signed char viewMode = ::viewMode;
    int frontFaceCW = ::frontFaceCW, depthTestOn = ::depthTestOn, texturingOn = ::texturingOn,
        lightingOn = ::lightingOn;
    float viewAngle = ::viewAngle, eyeX = ::eyeX, eyeZ = ::eyeZ, centerX = ::centerX, centerZ = ::centerZ,
          rotX = ::rotX, rotY = ::rotY;
    int winWidth = ::winWidth, winHeight = ::winHeight;
    int lastMouseX = ::lastMouseX, lastMouseY = ::lastMouseY, mouseState = ::mouseState;
    float doorAngle = ::doorAngle;
    unsigned char doorReturning = ::doorReturning;
    int wallpaperTex = ::wallpaperTex, floorTex = ::floorTex;
    Image textureImage = ::textureImage;
    int bmpSwapBytes = ::bmpSwapBytes;
};
const Snapshot start;

}  // namespace

void freshStart()
{
    sceneScale = start.sceneScale;
    orthoOn = start.orthoOn;
    viewMode = start.viewMode;
    frontFaceCW = start.frontFaceCW;
    depthTestOn = start.depthTestOn;
    texturingOn = start.texturingOn;
    lightingOn = start.lightingOn;
    viewAngle = start.viewAngle;
    eyeX = start.eyeX;
    eyeZ = start.eyeZ;
    centerX = start.centerX;
    centerZ = start.centerZ;
    rotX = start.rotX;
    rotY = start.rotY;
    winWidth = start.winWidth;
    winHeight = start.winHeight;
    lastMouseX = start.lastMouseX;
    lastMouseY = start.lastMouseY;
    mouseState = start.mouseState;
    doorAngle = start.doorAngle;
    doorReturning = start.doorReturning;
    wallpaperTex = start.wallpaperTex;
    floorTex = start.floorTex;
    textureImage = start.textureImage;
    bmpSwapBytes = start.bmpSwapBytes;
    rgl::reset();
}

::testing::AssertionResult near3(const rgl::Vec3& a, float x, float y, float z, float tolerance)
{
    if (std::fabs(a.x - x) <= tolerance && std::fabs(a.y - y) <= tolerance && std::fabs(a.z - z) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") is not (" << x << ", " << y
                                         << ", " << z << ")";
}

std::vector<const rgl::Primitive*> primitivesFrom(size_t from)
{
    std::vector<const rgl::Primitive*> out;
    for (const rgl::Primitive& p : rgl::gl.primitives)
        if (p.firstCall >= from)
            out.push_back(&p);
    return out;
}

rgl::Vec3 place(const rgl::Mat4& m, float x, float y, float z)
{
    return rgl::transformPoint(m, {x, y, z});
}

std::vector<std::string> callsAmong(const std::vector<std::string>& names)
{
    std::vector<std::string> out;
    for (const rgl::Call& c : rgl::gl.calls)
        if (std::find(names.begin(), names.end(), c.name) != names.end())
            out.push_back(c.name);
    return out;
}
