// The accumulation buffer's arithmetic, as GL 1.1 gives it for each of the
// box's pixels and each of R, G, B and A (colour values in [0, 1]):
// GL_ACCUM adds value x colour, GL_LOAD sets value x colour, GL_ADD adds
// value, GL_MULT multiplies by value, GL_RETURN writes value x accumulated,
// clamped, to the colour buffer.
#include "web/gl/accum.h"

#include <algorithm>

namespace glweb {

void Accumulation::fit(int windowWidth, int windowHeight)
{
    if (windowWidth == width && windowHeight == height)
        return;
    width = std::max(windowWidth, 0);
    height = std::max(windowHeight, 0);
    values.assign((size_t)width * (size_t)height * 4, 0.0f);
}

void Accumulation::clear(const int box[4])
{
    for (int y = std::max(box[1], 0); y < std::min(box[1] + box[3], height); y++)
        for (int x = std::max(box[0], 0); x < std::min(box[0] + box[2], width); x++)
            std::copy(clearValue, clearValue + 4, &values[((size_t)y * (size_t)width + (size_t)x) * 4]);
}

void Accumulation::apply(GLenum op, float value, const int box[4], uint8_t* color)
{
    for (int j = 0; j < box[3]; j++)
        for (int i = 0; i < box[2]; i++) {
            const int x = box[0] + i, y = box[1] + j;
            if (x < 0 || y < 0 || x >= width || y >= height)
                continue;
            float* a = &values[((size_t)y * (size_t)width + (size_t)x) * 4];
            uint8_t* c = color ? &color[((size_t)j * (size_t)box[2] + (size_t)i) * 4] : nullptr;
            for (int k = 0; k < 4; k++) {
                switch (op) {
                case GL_ACCUM: a[k] += value * ((float)c[k] / 255.0f); break;
                case GL_LOAD: a[k] = value * ((float)c[k] / 255.0f); break;
                case GL_ADD: a[k] += value; break;
                case GL_MULT: a[k] *= value; break;
                case GL_RETURN: c[k] = (uint8_t)(std::min(std::max(value * a[k], 0.0f), 1.0f) * 255.0f + 0.5f); break;
                default: break;
                }
            }
        }
}

}  // namespace glweb
