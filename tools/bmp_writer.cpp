#include "tools/bmp_writer.h"

#include <cstdint>
#include <cstdio>
#include <map>

namespace {

void put16(std::vector<unsigned char>& out, uint16_t v)
{
    out.push_back((unsigned char)(v & 0xff));
    out.push_back((unsigned char)(v >> 8));
}

void put32(std::vector<unsigned char>& out, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        out.push_back((unsigned char)((v >> (8 * i)) & 0xff));
}

std::vector<unsigned char> headers(const Picture& p, int bitsPerPixel, uint32_t tableBytes, uint32_t imageBytes)
{
    std::vector<unsigned char> out;
    uint32_t offset = 14 + 40 + tableBytes;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, (uint32_t)p.width);
    put32(out, (uint32_t)p.height);
    put16(out, 1);
    put16(out, (uint16_t)bitsPerPixel);
    put32(out, 0);  // no compression
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, bitsPerPixel == 8 ? 256 : 0);
    put32(out, 0);
    return out;
}

bool save(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

int rowBytes(int width, int bytesPerPixel)
{
    return (width * bytesPerPixel + 3) / 4 * 4;
}

}  // namespace

bool writeBmp24(const std::string& path, const Picture& p)
{
    int stride = rowBytes(p.width, 3);
    std::vector<unsigned char> out = headers(p, 24, 0, (uint32_t)(stride * p.height));
    size_t at = out.size();
    out.resize(at + (size_t)stride * p.height, 0);  // the padding stays 0
    for (int y = p.height - 1; y >= 0; y--, at += stride) {  // bottom row first
        const unsigned char* c = &p.rgb[(size_t)y * p.width * 3];
        for (int x = 0; x < p.width; x++, c += 3) {
            out[at + x * 3] = c[2];
            out[at + x * 3 + 1] = c[1];
            out[at + x * 3 + 2] = c[0];
        }
    }
    return save(path, out);
}

bool writeBmp8(const std::string& path, const Picture& p)
{
    std::map<uint32_t, int> index;
    std::vector<uint32_t> palette;
    std::vector<unsigned char> indices(p.rgb.size() / 3);
    uint32_t last = 0xffffffff;  // neighbours are mostly of one colour: looked up once
    int lastIndex = 0;
    for (size_t i = 0; i < p.rgb.size(); i += 3) {
        uint32_t c = (uint32_t)p.rgb[i] << 16 | (uint32_t)p.rgb[i + 1] << 8 | p.rgb[i + 2];
        if (c != last) {
            auto it = index.find(c);
            if (it == index.end()) {
                if (palette.size() == 256)
                    return false;
                it = index.emplace(c, (int)palette.size()).first;
                palette.push_back(c);
            }
            last = c;
            lastIndex = it->second;
        }
        indices[i / 3] = (unsigned char)lastIndex;
    }
    palette.resize(256, 0);
    int stride = rowBytes(p.width, 1);
    std::vector<unsigned char> out = headers(p, 8, 1024, (uint32_t)(stride * p.height));
    for (uint32_t c : palette) {
        out.push_back((unsigned char)(c & 0xff));
        out.push_back((unsigned char)((c >> 8) & 0xff));
        out.push_back((unsigned char)(c >> 16));
        out.push_back(0);
    }
    for (int y = p.height - 1; y >= 0; y--) {
        for (int x = 0; x < p.width; x++)
            out.push_back(indices[(size_t)(y * p.width + x)]);
        for (int pad = p.width; pad < stride; pad++)
            out.push_back(0);
    }
    return save(path, out);
}
