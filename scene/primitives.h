// Modelling primitives and the two-sided panel every textured surface uses.
#pragma once

// A box a wide (+x), b deep (-z) and c high (-y) from the current origin.
void drawBox(float a, float b, float c);
// A rectangle a wide (+x) and b high (-y) in the plane z = 0.
void drawRect(float a, float b);

// The texture and colour of a panel's front and back face. The textures are
// pointers to the texture-name variables, read at the moment of each bind.
struct FaceSet {
    const int* frontTex;
    const float* frontColor;
    const int* backTex;
    const float* backColor;
};

struct PanelVertex {
    float s, t;     // texture coordinate
    float x, y, z;  // position
};

extern const FaceSet wallFaces;
extern const FaceSet glassFaces;

// One polygon drawn twice: the front face under GL_CW, then the back face
// under GL_CCW, so that with back faces culled each shows from one side only.
// The back face may have its own vertex list (same length).
void drawTwoSidedPanel(const FaceSet& faces, const PanelVertex* front, const PanelVertex* back, int count);

// The usual rectangle panel in the plane z = 1.5: corners (x0, y0), (x1, y0),
// (x1, y1), (x0, y1) with texture coordinates (0, 0), (s, 0), (s, s), (0, s).
void drawRectPanel(const FaceSet& faces, float x0, float x1, float y0, float y1, float s);
// The same with a different texture repeat on each face.
void drawRectPanel2(const FaceSet& faces, float x0, float x1, float y0, float y1, float frontS, float backS);
