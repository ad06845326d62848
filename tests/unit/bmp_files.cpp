#include "bmp_files.h"

#include <cstdio>
#include <filesystem>

static void put(std::vector<unsigned char>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out.push_back((unsigned char)((v >> (8 * i)) & 0xff));
}

std::vector<unsigned char> buildBmp(const CraftedBmp& s)
{
    std::vector<unsigned char> out;
    uint32_t infoLength = s.headerSize < 40 ? 40 : s.headerSize;
    uint32_t offset = s.offset >= 0 ? (uint32_t)s.offset : 14 + infoLength + 4 * (uint32_t)s.palette.size();
    out.push_back((unsigned char)s.magic[0]);
    out.push_back((unsigned char)s.magic[1]);
    put(out, offset + (uint32_t)s.pixels.size(), 4);
    put(out, 0, 4);
    put(out, offset, 4);
    put(out, s.headerSize, 4);
    put(out, s.width, 4);
    put(out, s.height, 4);
    put(out, 1, 2);
    put(out, s.bitsPerPixel, 2);
    put(out, s.compression, 4);
    put(out, (uint32_t)s.pixels.size(), 4);
    put(out, 2835, 4);
    put(out, 2835, 4);
    put(out, (uint32_t)s.palette.size(), 4);
    put(out, 0, 4);
    out.resize(14 + infoLength, 0);  // a longer header is padded with zeros
    for (uint32_t c : s.palette)
        put(out, c, 4);
    if (out.size() < offset)
        out.resize(offset, 0);
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

std::string writeTemp(const std::string& name, const std::vector<unsigned char>& bytes)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarnvale_bmp_tests";
    std::filesystem::create_directories(dir);
    std::string path = (dir / name).string();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}
