// libFuzzer target for the BMP reader: every input is read through the same
// code as a file on disk, from memory, and must neither crash nor overrun.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "image/bmp.h"

// A header may claim up to maxBmpPixels, and the reader then allocates and
// zero-fills up to 48 MiB however short the file is. That path is the same
// for small claims, so inputs claiming more than a file of this size could
// hold are left out: otherwise they cost most of the run's time.
static bool claimsHugeImage(const uint8_t* data, size_t size)
{
    if (size < 26)
        return false;
    auto u32 = [&](size_t at) {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    };
    uint64_t pixels = uint64_t(u32(18)) * u32(22);
    return pixels <= maxBmpPixels && pixels * 3 > (uint64_t(1) << 18) + 3 * uint64_t(size);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = std::freopen("/dev/null", "w", stdout) != nullptr;  // the reader's messages
    (void)quiet;
    detectByteOrder();  // as loadBMP does before it reads
    if (size == 0 || claimsHugeImage(data, size))
        return 0;  // fmemopen refuses an empty buffer
    FILE* fp = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!fp)
        return 0;
    Image image = {0, 0, nullptr};
    readBMP(fp, &image);
    std::fclose(fp);
    if (image.pixels) {
        // AddressSanitizer knows the allocation's size: reading its last
        // byte shows a buffer shorter than the image it claims to hold.
        size_t bytes = (size_t)image.width * image.height * 3;
        volatile unsigned char last = image.pixels[bytes - 1];
        (void)last;
        std::free(image.pixels);
    }
    return 0;
}
