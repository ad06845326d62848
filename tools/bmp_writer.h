// Writes RGB pictures as uncompressed Windows BMP files.
#pragma once

#include <string>
#include <vector>

// An RGB picture, rows top first, 3 bytes a pixel.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
};

// 24 bits a pixel. Returns false if the file could not be written.
bool writeBmp24(const std::string& path, const Picture& picture);
// 8 bits a pixel with a colour table; the picture must have at most 256
// distinct colours. Returns false if it has more or the file failed.
bool writeBmp8(const std::string& path, const Picture& picture);
