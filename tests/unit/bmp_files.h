// Crafted BMP files for the reader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CraftedBmp {
    char magic[2] = {'B', 'M'};
    uint32_t headerSize = 40;
    uint32_t width = 2;
    uint32_t height = 2;
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB entries, written blue first
    int64_t offset = -1;            // -1: straight after the palette
    std::vector<unsigned char> pixels;  // the rows as stored, padding included
};

std::vector<unsigned char> buildBmp(const CraftedBmp& crafted);
// Writes bytes to a fresh file in the test's temporary folder.
std::string writeTemp(const std::string& name, const std::vector<unsigned char>& bytes);
