// The accumulation buffer: a window of RGBA values kept as floats, which
// glAccum adds the colour buffer into, scales, and returns from.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace glweb {

struct Accumulation {
    bool present = false;  // the display mode asked for one
    int width = 0, height = 0;
    std::vector<float> values;  // RGBA rows from the bottom
    float clearValue[4] = {0, 0, 0, 0};

    // Sized to the window; a new size starts cleared to 0, as an undefined one may.
    void fit(int windowWidth, int windowHeight);
    // The box's part of the buffer set to the clear value.
    void clear(const int box[4]);
    // One operation over the box (x, y, width, height, inside the window):
    // GL_ACCUM and GL_LOAD read `color`, GL_RETURN writes it (the box's RGBA
    // bytes, rows from the bottom), GL_ADD and GL_MULT touch only the buffer.
    void apply(GLenum op, float value, const int box[4], uint8_t* color);
};

}  // namespace glweb
