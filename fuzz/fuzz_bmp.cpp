// libFuzzer target for the BMP reader: every input is written to a file
// and read back through loadBMP, which must neither crash nor overrun.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/bmp.h"

static std::string inputPath()
{
    return "/tmp/tarnvale_fuzz_" + std::to_string(::getpid()) + ".bmp";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = inputPath();
    static const bool quiet = std::freopen("/dev/null", "w", stdout) != nullptr;  // the reader's messages
    (void)quiet;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    Image image = {0, 0, nullptr};
    loadBMP(path.c_str(), &image);
    if (image.pixels) {
        // Touch every byte so that a short buffer shows up.
        volatile unsigned sum = 0;
        size_t bytes = (size_t)image.width * image.height * 3;
        for (size_t i = 0; i < bytes; i++)
            sum = sum + image.pixels[i];
        std::free(image.pixels);
    }
    return 0;
}
