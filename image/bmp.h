// Reader for uncompressed 8-bit and 24-bit Windows BMP files.
#pragma once

#include <cstdint>
#include <cstdio>

#include "state/image.h"

// Largest accepted width or height, and largest accepted pixel count; both
// are far above any texture the program uses and keep every size in range.
constexpr uint32_t maxBmpDimension = 16384;
constexpr uint64_t maxBmpPixels = uint64_t(1) << 24;

// Reads fileName into image. Problems are reported as one line on standard
// output; the image is then left as described for each failure.
void loadBMP(const char* fileName, Image* image);
// The reading itself, on a file already open for binary reading: loadBMP
// opens and closes around it, the fuzz target hands it memory.
void readBMP(FILE* fp, Image* image);
void detectByteOrder();
void swap32(uint32_t* value);
void swap16(uint16_t* value);
