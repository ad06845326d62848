#include "image/bmp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "state/viewer_state.h"

void detectByteOrder()
{
    uint16_t one = 1;
    unsigned char first;
    std::memcpy(&first, &one, 1);
    bmpSwapBytes = (first == 0) ? 1 : 0;
}

void swap32(uint32_t* value)
{
    unsigned char b[4];
    std::memcpy(b, value, 4);
    unsigned char t = b[0];
    b[0] = b[3];
    b[3] = t;
    t = b[1];
    b[1] = b[2];
    b[2] = t;
    std::memcpy(value, b, 4);
}

void swap16(uint16_t* value)
{
    unsigned char b[2];
    std::memcpy(b, value, 2);
    unsigned char t = b[0];
    b[0] = b[1];
    b[1] = t;
    std::memcpy(value, b, 2);
}

// Header fields are read out of the raw bytes, then swapped on a
// big-endian host.
static uint32_t field32(const unsigned char* bytes, int offset)
{
    uint32_t v;
    std::memcpy(&v, bytes + offset, 4);
    if (bmpSwapBytes)
        swap32(&v);
    return v;
}

static uint16_t field16(const unsigned char* bytes, int offset)
{
    uint16_t v;
    std::memcpy(&v, bytes + offset, 2);
    if (bmpSwapBytes)
        swap16(&v);
    return v;
}

// Opens, reads and closes; readBMP does the reading itself so that every
// early return still closes the file.
void loadBMP(const char* fileName, Image* image)
{
    detectByteOrder();
    FILE* fp = std::fopen(fileName, "rb");
    if (fp == nullptr) {
        std::printf("Could not open file '%s'\n", fileName);
        return;
    }
    readBMP(fp, image);
    std::fclose(fp);
}

void readBMP(FILE* fp, Image* image)
{
    unsigned char MagicNumber[2];
    if (std::fread(MagicNumber, 2, 1, fp) != 1 || MagicNumber[0] != 'B' || MagicNumber[1] != 'M') {
        std::printf("Error reading BMP file, file type incorrect\n");
        return;
    }

    unsigned char FileHeader[12];
    if (std::fread(FileHeader, 12, 1, fp) != 1) {
        std::printf("Error reading BMP file header\n");
        return;
    }
    uint32_t Offset = field32(FileHeader, 8);

    unsigned char Info[40];
    if (std::fread(Info, 40, 1, fp) != 1) {
        std::printf("Error reading BMP Information record\n");
        return;
    }
    uint32_t HeaderSize = field32(Info, 0);
    uint32_t Width = field32(Info, 4);
    uint32_t Height = field32(Info, 8);
    uint16_t BitsPerPixel = field16(Info, 14);
    uint32_t CompressionType = field32(Info, 16);

    // The old 12-byte header lays its fields out differently: everything
    // read above would be garbage.
    if (HeaderSize < 40) {
        std::printf("Sorry, this code cannot read BMP files with a %u-byte information header\n",
                    (unsigned)HeaderSize);
        return;
    }
    if (CompressionType != 0) {
        std::printf("Sorry, this code cannot read compressed image files\n");
        return;
    }

    int ColorTableSize;
    int BytesPerPixel;
    if (BitsPerPixel == 8) {
        ColorTableSize = 256;
        BytesPerPixel = 1;
    } else if (BitsPerPixel == 24) {
        ColorTableSize = 0;
        BytesPerPixel = 3;
    } else {
        std::printf("Sorry, this code can only read 8 bit or 24 bit image files\n");
        return;
    }

    // Every size below is derived from these three checks, so nothing that
    // follows can overflow or be sized from an absurd header.
    if (Width == 0 || Height == 0) {
        std::printf("Sorry, this code cannot read an image %u pixels wide and %u high\n",
                    (unsigned)Width, (unsigned)Height);
        return;
    }
    if ((int32_t)Height < 0) {
        std::printf("Sorry, this code cannot read top-down BMP files\n");
        return;
    }
    if (Width > maxBmpDimension || Height > maxBmpDimension || uint64_t(Width) * Height > maxBmpPixels) {
        std::printf("Sorry, this code cannot read images larger than %u x %u pixels or %llu pixels in all\n",
                    (unsigned)maxBmpDimension, (unsigned)maxBmpDimension, (unsigned long long)maxBmpPixels);
        return;
    }

    // Entries the file does not supply stay black.
    unsigned char ColorTable[1024] = {0};
    if (ColorTableSize > 0) {
        // The table follows the information header, whatever its length,
        // and ends where the pixel rows begin.
        uint64_t tableStart = 14 + uint64_t(HeaderSize);
        size_t entries = (size_t)ColorTableSize;
        if (Offset > tableStart && (Offset - tableStart) / 4 < entries)
            entries = (size_t)((Offset - tableStart) / 4);
        size_t entriesRead = 0;
        if (tableStart <= 0x7fffffff && std::fseek(fp, (long)tableStart, SEEK_SET) == 0)
            entriesRead = std::fread(ColorTable, 4, entries, fp);
        if (entriesRead == 0)
            std::printf("Error reading BMP Color Table\n");
    }

    image->width = Width;
    image->height = Height;
    size_t RowBytes = size_t(Width) * BytesPerPixel;
    size_t BytesPerRow = (RowBytes % 4 == 0) ? RowBytes : RowBytes - (RowBytes % 4) + 4;
    size_t imageBytes = size_t(Width) * Height * 3;
    image->pixels = (unsigned char*)std::malloc(imageBytes);
    if (image->pixels == nullptr) {
        std::printf("Error allocating pixel memory\n");
        return;
    }

    std::fseek(fp, (long)Offset, SEEK_SET);  // a bad offset shows up as unreadable rows

    std::vector<unsigned char> PixelRow(BytesPerRow);
    unsigned char* out = image->pixels;
    for (uint32_t row = 0; row < Height; row++) {
        if (std::fread(PixelRow.data(), BytesPerRow, 1, fp) != 1) {
            std::printf("Error reading BMP pixels\n");
            // No uninitialised memory may reach the texture upload.
            std::memset(out, 0, imageBytes - size_t(out - image->pixels));
            return;
        }
        if (BytesPerPixel == 1) {
            for (size_t i = 0; i < RowBytes; i++) {
                const unsigned char* entry = ColorTable + 4 * PixelRow[i];
                *out++ = entry[2];
                *out++ = entry[1];
                *out++ = entry[0];
            }
        } else {
            for (size_t i = 0; i < RowBytes; i += 3) {
                *out++ = PixelRow[i + 2];
                *out++ = PixelRow[i + 1];
                *out++ = PixelRow[i];
            }
        }
    }
}
