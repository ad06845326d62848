// The fourteen texture files of the house, drawn from fixed seeds, so every
// build writes the same bytes, on the desktop (texgen) and in the page alike.
// Some files are 8-bit with a colour table and some 24-bit, so that both of
// the reader's paths run at every start.
#include "tools/textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "tools/bmp_writer.h"

namespace {

struct Rgb {
    int r, g, b;
};

Picture blank(int width, int height, Rgb c)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.rgb.resize((size_t)width * height * 3);
    for (size_t i = 0; i < p.rgb.size(); i += 3) {
        p.rgb[i] = (unsigned char)c.r;
        p.rgb[i + 1] = (unsigned char)c.g;
        p.rgb[i + 2] = (unsigned char)c.b;
    }
    return p;
}

unsigned char clampByte(int v)
{
    return (unsigned char)std::min(255, std::max(0, v));
}

void put(Picture& p, int x, int y, Rgb c)
{
    x = ((x % p.width) + p.width) % p.width;  // every pattern tiles
    y = ((y % p.height) + p.height) % p.height;
    unsigned char* px = &p.rgb[(size_t)(y * p.width + x) * 3];
    px[0] = clampByte(c.r);
    px[1] = clampByte(c.g);
    px[2] = clampByte(c.b);
}

Rgb shade(Rgb c, int d)
{
    return {c.r + d, c.g + d, c.b + d};
}

// A small deterministic hash: the same inputs give the same bytes anywhere.
uint32_t hash(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

int noise(int x, int y, uint32_t seed, int amplitude)
{
    return (int)(hash((uint32_t)x, (uint32_t)y, seed) % (uint32_t)(2 * amplitude + 1)) - amplitude;
}

// Stone masonry: courses of stones of varied length and tone in mortar.
Picture stone()
{
    const int size = 256, course = 32, mortar = 3;
    Picture p = blank(size, size, {178, 172, 160});
    for (int row = 0; row < size / course; row++) {
        int x = (int)(hash(row, 0, 11) % 40);
        int stoneIndex = 0;
        while (x < size + 40) {
            int length = 36 + (int)(hash(row, stoneIndex, 12) % 44);
            // Grey to sandstone: one brightness, a little warmth.
            int light = 115 + (int)(hash(row, stoneIndex, 13) % 55);
            int warm = (int)(hash(row, stoneIndex, 14) % 18);
            Rgb base = {light + warm, light + warm / 2 - 2, light - 12};
            for (int sy = mortar; sy < course; sy++)
                for (int sx = mortar; sx < length; sx++) {
                    int edge = (sy == mortar || sx == mortar) ? 18 : (sy == course - 1 || sx == length - 1) ? -22 : 0;
                    put(p, x + sx, row * course + sy, shade(base, edge + noise(x + sx, row * course + sy, 16, 12)));
                }
            x += length;
            stoneIndex++;
        }
    }
    return p;
}

// A window: white frame and cross bar, sky in the panes, a glint of light.
Picture window()
{
    const int size = 128, frame = 10, bar = 6;
    Picture p = blank(size, size, {240, 240, 236});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            bool inFrame = x < frame || y < frame || x >= size - frame || y >= size - frame ||
                           std::abs(x - size / 2) < bar / 2 || std::abs(y - size / 2) < bar / 2;
            if (inFrame) {
                bool shadow = x == frame - 1 || y == frame - 1;
                put(p, x, y, shadow ? Rgb{190, 190, 186} : Rgb{240, 240, 236});
                continue;
            }
            int band = y / 8;  // a stepped sky keeps the colour table small
            Rgb sky = {90 + band * 6, 150 + band * 5, 230 - band * 2};
            bool glint = std::abs((x + y) % 64 - 40) < 3;
            put(p, x, y, glint ? Rgb{225, 240, 255} : sky);
        }
    return p;
}

// A wooden door with four sunk panels and a brass knob.
Picture door()
{
    const int w = 128, h = 256;
    Picture p = blank(w, h, {120, 70, 35});
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int grain = (int)(12 * std::sin(x * 0.35 + std::sin(y * 0.05) * 2.0)) + noise(x, y, 21, 6);
            put(p, x, y, shade({120, 70, 35}, grain));
        }
    const int panels[4][4] = {{16, 20, 60, 120}, {68, 20, 112, 120}, {16, 140, 60, 236}, {68, 140, 112, 236}};
    for (const auto& r : panels)
        for (int y = r[1]; y < r[3]; y++)
            for (int x = r[0]; x < r[2]; x++) {
                bool rim = x < r[0] + 4 || y < r[1] + 4 || x >= r[2] - 4 || y >= r[3] - 4;
                int grain = (int)(10 * std::sin(y * 0.3 + x * 0.02)) + noise(x, y, 22, 5);
                put(p, x, y, shade(rim ? Rgb{85, 48, 22} : Rgb{105, 60, 30}, grain));
            }
    for (int y = 120; y < 136; y++)
        for (int x = 96; x < 112; x++) {
            int dx = x - 104, dy = y - 128;
            if (dx * dx + dy * dy < 36)
                put(p, x, y, dx + dy < -2 ? Rgb{250, 225, 120} : Rgb{200, 160, 50});
        }
    return p;
}

// Wallpaper 1: cream with broad and narrow green stripes.
Picture wallpaperStripes()
{
    const int size = 128;
    Picture p = blank(size, size, {238, 228, 200});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int m = x % 32;
            if (m < 10)
                put(p, x, y, {120, 160, 110});
            else if (m == 14 || m == 15 || m == 26)
                put(p, x, y, {170, 120, 90});
            else
                put(p, x, y, shade({238, 228, 200}, noise(x, y, 41, 3)));
        }
    return p;
}

// Wallpaper 2: a diamond trellis, dark green on pale green.
Picture wallpaperTrellis()
{
    const int size = 64;
    Picture p = blank(size, size, {200, 225, 190});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int a = (x + y) % 32, b = (x - y + 64) % 32;
            if (a < 3 || b < 3)
                put(p, x, y, {40, 100, 60});
            else if ((x % 32 == 16) && (y % 32 == 0 || y % 32 == 31 || y % 32 == 1))
                put(p, x, y, {200, 60, 80});
        }
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int dx = (x % 32) - 16, dy = (y % 32) - 16;
            if (dx * dx + dy * dy < 10)
                put(p, x, y, {220, 90, 110});
        }
    return p;
}

// Wallpaper 3: small five-petalled flowers on rose.
Picture wallpaperFlowers()
{
    const int size = 128;
    Picture p = blank(size, size, {236, 196, 200});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++)
            put(p, x, y, shade({236, 196, 200}, noise(x, y, 51, 4)));
    for (int cy = 0; cy < size; cy += 32)
        for (int cx = 0; cx < size; cx += 32) {
            int ox = cx + ((cy / 32) % 2) * 16 + 8, oy = cy + 8;
            for (int k = 0; k < 5; k++) {
                double a = k * 2 * 3.14159265358979 / 5;
                int px = ox + (int)std::lround(5 * std::cos(a)), py = oy + (int)std::lround(5 * std::sin(a));
                for (int dy = -3; dy <= 3; dy++)
                    for (int dx = -3; dx <= 3; dx++)
                        if (dx * dx + dy * dy <= 9)
                            put(p, px + dx, py + dy, {255, 250, 245});
            }
            for (int dy = -2; dy <= 2; dy++)
                for (int dx = -2; dx <= 2; dx++)
                    if (dx * dx + dy * dy <= 4)
                        put(p, ox + dx, oy + dy, {240, 190, 40});
            for (int d = 6; d < 14; d++)
                put(p, ox + d / 3, oy + d + 2, {70, 130, 60});
        }
    return p;
}

// Wallpaper 4: a blue tartan.
Picture wallpaperTartan()
{
    const int size = 64;
    Picture p = blank(size, size, {40, 60, 120});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            auto band = [](int v) { return v % 32 < 8 ? 2 : (v % 32 == 20 ? 1 : 0); };
            int bx = band(x), by = band(y);
            Rgb c = {40, 60, 120};
            if (bx == 2 && by == 2)
                c = {20, 35, 70};
            else if (bx == 2 || by == 2)
                c = {30, 70, 60};
            if (bx == 1 || by == 1)
                c = {230, 210, 80};
            if ((x + y) % 2 == 0 && !(bx == 1 || by == 1))
                c = shade(c, 12);  // the twill of the weave
            put(p, x, y, c);
        }
    return p;
}

// Wallpaper 5: white polka dots on lilac.
Picture wallpaperDots()
{
    const int size = 256;
    Picture p = blank(size, size, {176, 150, 208});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int cx = (x / 32) * 32 + 16, cy = (y / 32) * 32 + 16;
            if (((x / 32) + (y / 32)) % 2)
                cx = (x / 32) * 32 + 16;
            int dx = x - cx, dy = y - cy;
            int r2 = dx * dx + dy * dy;
            if (r2 < 64)
                put(p, x, y, {250, 248, 252});
            else if (r2 < 81)
                put(p, x, y, {150, 124, 184});
            else
                put(p, x, y, shade({176, 150, 208}, noise(x, y, 61, 4)));
        }
    return p;
}

// Floor 1: oak planks with staggered joints.
Picture floorPlanks()
{
    const int size = 256, plank = 32;
    Picture p = blank(size, size, {170, 120, 70});
    for (int y = 0; y < size; y++) {
        int row = y / plank;
        int joint = (int)(hash(row, 0, 71) % 256);
        int tone = (int)(hash(row, 1, 72) % 30) - 15;
        for (int x = 0; x < size; x++) {
            int grain = (int)(14 * std::sin(y * 0.9 + std::sin(x * 0.04 + row) * 3.0)) + noise(x, y, 73, 5);
            Rgb c = shade({170, 120, 70}, tone + grain);
            if (y % plank == 0 || ((x - joint + size) % size) < 2)
                c = {80, 50, 25};
            put(p, x, y, c);
        }
    }
    return p;
}

// Floor 2: black and white tiles with grey grout.
Picture floorChequer()
{
    const int size = 128, tile = 32;
    Picture p = blank(size, size, {128, 128, 128});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            if (x % tile < 2 || y % tile < 2)
                continue;
            bool dark = ((x / tile) + (y / tile)) % 2;
            int speck = (hash(x, y, 81) % 23 == 0) ? 30 : 0;
            put(p, x, y, dark ? Rgb{30 + speck, 30 + speck, 34 + speck} : Rgb{235 - speck, 235 - speck, 228 - speck});
        }
    return p;
}

// Floor 3: a deep red carpet with a woven look.
Picture floorCarpet()
{
    const int size = 128;
    Picture p = blank(size, size, {140, 30, 40});
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int pile = noise(x, y, 91, 20) + ((x + 2 * y) % 4 == 0 ? -12 : 0);
            Rgb c = {140 + pile, 30 + pile / 3, 40 + pile / 3};
            int m = std::min(std::min(x % 64, 63 - x % 64), std::min(y % 64, 63 - y % 64));
            if (m == 6 || m == 7)
                c = {200, 160, 60};  // the woven border of each square
            put(p, x, y, c);
        }
    return p;
}

// Floor 4: herringbone parquet in three tones of wood.
Picture floorHerringbone()
{
    const int size = 128;
    Picture p = blank(size, size, {150, 100, 55});
    const Rgb tones[3] = {{160, 110, 60}, {135, 88, 48}, {182, 132, 78}};
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int u = x + y, v = x - y + size;  // diagonal coordinates
            int block = (u / 16 + v / 64) % 2;
            int along = block ? v : u;
            int across = block ? u : v;
            int piece = (across / 16) * 7 + (along / 64);
            Rgb c = tones[hash((uint32_t)piece, (uint32_t)block, 101) % 3];
            if (across % 16 == 0 || along % 64 == 0)
                c = {70, 45, 20};
            put(p, x, y, c);
        }
    return p;
}

// Floor 5: large terracotta tiles with pale grout.
Picture floorTerracotta()
{
    const int size = 256, tile = 64, grout = 4;
    Picture p = blank(size, size, {215, 205, 185});
    for (int ty = 0; ty < size / tile; ty++)
        for (int tx = 0; tx < size / tile; tx++) {
            int tone = (int)(hash(tx, ty, 111) % 40) - 20;
            for (int y = grout; y < tile; y++)
                for (int x = grout; x < tile; x++) {
                    int px = tx * tile + x, py = ty * tile + y;
                    put(p, px, py, {190 + tone + noise(px, py, 112, 8), 95 + tone / 2 + noise(px, py, 113, 6), 55});
                }
        }
    return p;
}

// The roof covering: rows of rounded clay tiles, each row overlapping the next.
Picture roofTiles()
{
    const int size = 256, tileW = 32, tileH = 24;
    Picture p = blank(size, size, {90, 30, 20});
    for (int y = 0; y < size; y++) {
        int row = y / tileH;
        int offset = (row % 2) * tileW / 2;
        for (int x = 0; x < size; x++) {
            int lx = (x + offset) % tileW, ly = y % tileH;
            int col = (x + offset) / tileW;
            int tone = (int)(hash(col, row, 121) % 40) - 20;
            double dx = (lx - tileW / 2.0) / (tileW / 2.0);
            double edge = tileH - 6 * dx * dx - 2;  // the rounded lower rim
            Rgb c = {178 + tone, 72 + tone / 2, 48};
            c = shade(c, (int)(-20 * dx * dx) + noise(x, y, 122, 6));
            if (ly > edge || lx == 0)
                c = {90, 30, 20};
            put(p, x, y, c);
        }
    }
    return p;
}

}  // namespace

const char* writeTextures(const std::string& folder)
{
    const std::string dir = folder + "/";
    struct Output {
        const char* name;
        Picture (*draw)();
        bool eightBit;
    };
    static const Output outputs[] = {
        {"dol2.bmp", stone, false},
        {"window.bmp", window, true},
        {"door.bmp", door, false},
        {"wallpaper.bmp", wallpaperStripes, false},
        {"wallpaper2.bmp", wallpaperTrellis, true},
        {"wallpaper3.bmp", wallpaperFlowers, false},
        {"wallpaper4.bmp", wallpaperTartan, true},
        {"wallpaper5.bmp", wallpaperDots, false},
        {"bottom.bmp", floorPlanks, false},
        {"bottom2.bmp", floorChequer, true},
        {"bottom3.bmp", floorCarpet, false},
        {"bottom4.bmp", floorHerringbone, true},
        {"bottom5.bmp", floorTerracotta, false},
        {"flosis.bmp", roofTiles, false},
    };
    for (const Output& o : outputs) {
        const Picture picture = o.draw();
        if (!(o.eightBit ? writeBmp8(dir + o.name, picture) : writeBmp24(dir + o.name, picture)))
            return o.name;
    }
    return nullptr;
}
