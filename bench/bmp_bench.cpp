// Image loading: loadBMP against stb_image and against a plain read of the
// same file into memory, for 1024 x 1024 files of 24 and 8 bits.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include "image/bmp.h"
#include "tools/bmp_writer.h"

namespace {

std::string benchFile(int bits)
{
    static std::string paths[2];
    std::string& path = paths[bits == 8];
    if (!path.empty())
        return path;
    path = "/tmp/tarnvale_bench_" + std::to_string(::getpid()) + "_" + std::to_string(bits) + ".bmp";
    Picture p;
    p.width = p.height = 1024;
    p.rgb.resize((size_t)1024 * 1024 * 3);
    for (size_t i = 0; i < p.rgb.size(); i++)  // 8-bit needs at most 256 colours
        p.rgb[i] = (unsigned char)(bits == 8 ? ((i / 3) % 256) : (i * 7 + i / 3072));
    if (!(bits == 8 ? writeBmp8(path, p) : writeBmp24(path, p)))
        std::abort();
    return path;
}

long fileSize(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    std::fseek(f, 0, SEEK_END);
    long n = std::ftell(f);
    std::fclose(f);
    return n;
}

void BM_loadBMP(benchmark::State& state)
{
    std::string path = benchFile((int)state.range(0));
    for (auto _ : state) {
        Image image = {0, 0, nullptr};
        loadBMP(path.c_str(), &image);
        benchmark::DoNotOptimize(image.pixels);
        std::free(image.pixels);
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
}

void BM_stbImage(benchmark::State& state)
{
    std::string path = benchFile((int)state.range(0));
    for (auto _ : state) {
        int w, h, n;
        unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &n, 3);
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
    state.SetBytesProcessed(state.iterations() * fileSize(path));
}

void BM_plainRead(benchmark::State& state)
{
    std::string path = benchFile((int)state.range(0));
    std::vector<unsigned char> buffer((size_t)fileSize(path));
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "rb");
        size_t n = std::fread(buffer.data(), 1, buffer.size(), f);
        std::fclose(f);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)buffer.size());
}

}  // namespace

BENCHMARK(BM_loadBMP)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_stbImage)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_plainRead)->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
