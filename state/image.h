// The program's one image type, shared by the texture reader and the viewer state.
#pragma once

#include <cstdint>

// An RGB image: width * height * 3 bytes, rows tightly packed, bottom row first.
struct Image {
    uint32_t width;
    uint32_t height;
    unsigned char* pixels;  // from malloc, never freed
};
