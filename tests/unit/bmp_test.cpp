#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include "bmp_files.h"
#include "image/bmp.h"
#include "image/render_init.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

// A sentinel image: any failure that must leave the image unchanged is seen.
unsigned char sentinelPixels[3] = {1, 2, 3};
const Image sentinel = {7, 9, sentinelPixels};

struct Loaded {
    std::string output;
    Image image;
};

Loaded load(const std::string& path)
{
    Loaded r{"", sentinel};
    ::testing::internal::CaptureStdout();
    loadBMP(path.c_str(), &r.image);
    r.output = ::testing::internal::GetCapturedStdout();
    return r;
}

Loaded loadCrafted(const std::string& name, const CraftedBmp& crafted)
{
    return load(writeTemp(name, buildBmp(crafted)));
}

bool unchanged(const Image& image)
{
    return image.width == sentinel.width && image.height == sentinel.height && image.pixels == sentinel.pixels;
}

std::vector<unsigned char> bytesOf(const Image& image)
{
    return std::vector<unsigned char>(image.pixels, image.pixels + (size_t)image.width * image.height * 3);
}

TEST(BmpTest, FailuresThatLeaveTheImageUnchanged)
{
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::string message;
    };
    CraftedBmp compressed;
    compressed.compression = 1;
    CraftedBmp compressedAndFourBit = compressed;
    compressedAndFourBit.bitsPerPixel = 4;
    CraftedBmp sixteenBit;
    sixteenBit.bitsPerPixel = 16;
    CraftedBmp thirtyTwoBit;
    thirtyTwoBit.bitsPerPixel = 32;
    CraftedBmp oneBit;
    oneBit.bitsPerPixel = 1;
    CraftedBmp wrongMagic;
    wrongMagic.magic[1] = 'A';
    std::vector<unsigned char> good = buildBmp(CraftedBmp{});
    const Case cases[] = {
        {"magic.bmp", buildBmp(wrongMagic), "Error reading BMP file, file type incorrect\n"},
        {"empty.bmp", {}, "Error reading BMP file, file type incorrect\n"},
        {"one_byte.bmp", {'B'}, "Error reading BMP file, file type incorrect\n"},
        {"short_header.bmp", std::vector<unsigned char>(good.begin(), good.begin() + 10),
         "Error reading BMP file header\n"},
        {"short_info.bmp", std::vector<unsigned char>(good.begin(), good.begin() + 40),
         "Error reading BMP Information record\n"},
        {"compressed.bmp", buildBmp(compressed), "Sorry, this code cannot read compressed image files\n"},
        {"compressed4.bmp", buildBmp(compressedAndFourBit), "Sorry, this code cannot read compressed image files\n"},
        {"depth16.bmp", buildBmp(sixteenBit), "Sorry, this code can only read 8 bit or 24 bit image files\n"},
        {"depth32.bmp", buildBmp(thirtyTwoBit), "Sorry, this code can only read 8 bit or 24 bit image files\n"},
        {"depth1.bmp", buildBmp(oneBit), "Sorry, this code can only read 8 bit or 24 bit image files\n"},
    };
    for (const Case& c : cases) {
        Loaded r = load(writeTemp(c.name, c.bytes));
        EXPECT_EQ(r.output, c.message) << c.name;
        EXPECT_TRUE(unchanged(r.image)) << c.name;
    }
    Loaded missing = load("no-such-file.bmp");
    EXPECT_EQ(missing.output, "Could not open file 'no-such-file.bmp'\n");
    EXPECT_TRUE(unchanged(missing.image));
}

TEST(BmpTest, UnsafeDimensionsAndOldHeadersAreRefusedBeforeAnythingIsAllocated)
{
    struct Case {
        const char* name;
        uint32_t headerSize, width, height;
        uint16_t bits;
        const char* message;
    };
    const Case cases[] = {
        {"os2.bmp", 12, 2, 2, 24, "Sorry, this code cannot read BMP files with a 12-byte information header\n"},
        {"zero_width.bmp", 40, 0, 2, 24, "Sorry, this code cannot read an image 0 pixels wide and 2 high\n"},
        {"zero_height.bmp", 40, 2, 0, 8, "Sorry, this code cannot read an image 2 pixels wide and 0 high\n"},
        {"top_down.bmp", 40, 2, (uint32_t)-2, 24, "Sorry, this code cannot read top-down BMP files\n"},
        {"huge_height.bmp", 40, 2, 0x7fffffff, 24, nullptr},
        {"wide.bmp", 40, 16385, 1, 24, nullptr},
        {"overflow.bmp", 40, 0xffffffffu, 0x7fffffff, 8, nullptr},
        {"many_pixels.bmp", 40, 16384, 16384, 24, nullptr},
    };
    const std::string tooLarge =
        "Sorry, this code cannot read images larger than 16384 x 16384 pixels or 16777216 pixels in all\n";
    for (const Case& c : cases) {
        CraftedBmp crafted;
        crafted.headerSize = c.headerSize;
        crafted.width = c.width;
        crafted.height = c.height;
        crafted.bitsPerPixel = c.bits;
        Loaded r = loadCrafted(c.name, crafted);
        EXPECT_EQ(r.output, c.message ? c.message : tooLarge) << c.name;
        EXPECT_TRUE(unchanged(r.image)) << c.name;
    }
}

TEST(BmpTest, TwentyFourBitPixelsComeOutRedGreenBlueBottomRowFirst)
{
    CraftedBmp crafted;  // 2 x 2, rows padded from 6 to 8 bytes
    crafted.pixels = {0x10, 0x20, 0x30, 0x11, 0x21, 0x31, 0xEE, 0xEE,   // bottom row
                   0x12, 0x22, 0x32, 0x13, 0x23, 0x33, 0xEE, 0xEE};  // top row
    Loaded r = loadCrafted("rgb.bmp", crafted);
    EXPECT_EQ(r.output, "");
    ASSERT_EQ(r.image.width, 2u);
    ASSERT_EQ(r.image.height, 2u);
    EXPECT_EQ(bytesOf(r.image), (std::vector<unsigned char>{0x30, 0x20, 0x10, 0x31, 0x21, 0x11, 0x32, 0x22, 0x12,
                                                            0x33, 0x23, 0x13}));
}

TEST(BmpTest, ThreePixelWideRowsSkipTheirPadding)
{
    CraftedBmp crafted;
    crafted.width = 3;
    crafted.height = 2;
    for (int row = 0; row < 2; row++) {
        for (int i = 0; i < 9; i++)
            crafted.pixels.push_back((unsigned char)(row * 16 + i));
        crafted.pixels.insert(crafted.pixels.end(), {0xAA, 0xBB, 0xCC});  // 9 -> 12 bytes
    }
    Loaded r = loadCrafted("three.bmp", crafted);
    ASSERT_EQ(r.output, "");
    std::vector<unsigned char> px = bytesOf(r.image);
    ASSERT_EQ(px.size(), 18u);
    EXPECT_EQ(std::vector<unsigned char>(px.begin(), px.begin() + 3), (std::vector<unsigned char>{2, 1, 0}));
    EXPECT_EQ(std::vector<unsigned char>(px.begin() + 9, px.begin() + 12), (std::vector<unsigned char>{18, 17, 16}));
    for (unsigned char b : px)
        EXPECT_LT(b, 0xAA);  // no padding byte reaches the image
}

TEST(BmpTest, EightBitIndicesLookUpTheColourTable)
{
    CraftedBmp crafted;
    crafted.bitsPerPixel = 8;
    crafted.palette.assign(256, 0);
    crafted.palette[5] = 0x40302010;  // stored 0x10, 0x20, 0x30, 0x40
    crafted.palette[255] = 0x00FFFFFF;
    crafted.pixels = {5, 255, 0, 0, 255, 5, 0, 0};
    Loaded r = loadCrafted("indexed.bmp", crafted);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(bytesOf(r.image), (std::vector<unsigned char>{0x30, 0x20, 0x10, 255, 255, 255, 255, 255, 255, 0x30,
                                                            0x20, 0x10}));
}

TEST(BmpTest, ShortColourTableIsAcceptedAndMissingEntriesAreBlack)
{
    CraftedBmp crafted;
    crafted.bitsPerPixel = 8;
    crafted.palette = {0x00112233, 0x00445566};  // two entries, then the pixels
    crafted.pixels = {1, 200, 0, 0, 0, 1, 0, 0};
    Loaded r = loadCrafted("short_table.bmp", crafted);
    EXPECT_EQ(r.output, "");
    EXPECT_EQ(bytesOf(r.image), (std::vector<unsigned char>{0x44, 0x55, 0x66, 0, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55,
                                                            0x66}));
}

TEST(BmpTest, UnreadableColourTableIsReportedAndReadingGoesOn)
{
    CraftedBmp crafted;
    crafted.bitsPerPixel = 8;
    crafted.headerSize = 400;  // the table would start beyond the end of the file
    crafted.offset = 54;
    crafted.pixels = {3, 4, 0, 0, 5, 6, 0, 0};
    std::vector<unsigned char> bytes = buildBmp(crafted);
    bytes.resize(54);
    bytes.insert(bytes.end(), crafted.pixels.begin(), crafted.pixels.end());
    Loaded r = load(writeTemp("no_table.bmp", bytes));
    EXPECT_EQ(r.output, "Error reading BMP Color Table\n");
    ASSERT_EQ(r.image.width, 2u);
    EXPECT_EQ(bytesOf(r.image), std::vector<unsigned char>(12, 0));
}

TEST(BmpTest, TruncatedPixelsKeepTheRowsReadAndZeroTheRest)
{
    CraftedBmp crafted;
    crafted.width = 2;
    crafted.height = 3;
    crafted.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9};  // one row and a bit
    Loaded r = loadCrafted("truncated.bmp", crafted);
    EXPECT_EQ(r.output, "Error reading BMP pixels\n");
    ASSERT_EQ(r.image.height, 3u);
    std::vector<unsigned char> expected = {3, 2, 1, 6, 5, 4};
    expected.resize(18, 0);
    EXPECT_EQ(bytesOf(r.image), expected);
}

TEST(BmpTest, PixelOffsetIsHonoured)
{
    CraftedBmp crafted;
    crafted.width = 1;
    crafted.height = 1;
    crafted.offset = 100;  // a gap between the headers and the pixels
    crafted.pixels = {9, 8, 7, 0};
    Loaded r = loadCrafted("offset.bmp", crafted);
    EXPECT_EQ(bytesOf(r.image), (std::vector<unsigned char>{7, 8, 9}));
}

TEST(BmpTest, LongerInformationHeadersInBothDepths)
{
    for (uint32_t headerSize : {52u, 56u, 108u, 124u}) {
        CraftedBmp rgb;
        rgb.headerSize = headerSize;
        rgb.width = 1;
        rgb.height = 1;
        rgb.pixels = {1, 2, 3, 0};
        Loaded r = loadCrafted("v" + std::to_string(headerSize) + ".bmp", rgb);
        EXPECT_EQ(r.output, "") << headerSize;
        EXPECT_EQ(bytesOf(r.image), (std::vector<unsigned char>{3, 2, 1})) << headerSize;

        CraftedBmp indexed = rgb;
        indexed.bitsPerPixel = 8;
        indexed.palette = {0x00A0B0C0, 0x00D0E0F0};
        indexed.pixels = {1, 0, 0, 0};
        r = loadCrafted("v" + std::to_string(headerSize) + "_8.bmp", indexed);
        EXPECT_EQ(r.output, "") << headerSize;
        EXPECT_EQ(bytesOf(r.image), (std::vector<unsigned char>{0xD0, 0xE0, 0xF0})) << headerSize;
    }
}

TEST(BmpTest, RowsWiderThanThreeThousandBytesReadCorrectly)
{
    CraftedBmp crafted;
    crafted.width = 1500;  // 4500 bytes a row
    crafted.height = 2;
    for (uint32_t i = 0; i < crafted.width * 3 * 2; i++)
        crafted.pixels.push_back((unsigned char)(i % 251));
    Loaded r = loadCrafted("wide_ok.bmp", crafted);
    ASSERT_EQ(r.output, "");
    std::vector<unsigned char> px = bytesOf(r.image);
    // The last pixel of the top row, stored blue-green-red.
    size_t last = px.size() - 3;
    EXPECT_EQ(px[last], (unsigned char)((last + 2) % 251));
    EXPECT_EQ(px[last + 2], (unsigned char)(last % 251));
}

TEST(BmpTest, SwapsReverseBytesInPlace)
{
    uint32_t v32 = 0x11223344;
    swap32(&v32);
    EXPECT_EQ(v32, 0x44332211u);
    swap32(&v32);
    EXPECT_EQ(v32, 0x11223344u);
    uint16_t v16 = 0xA1B2;
    swap16(&v16);
    EXPECT_EQ(v16, 0xB2A1);
    bmpSwapBytes = 7;
    detectByteOrder();
    uint16_t one = 1;
    EXPECT_EQ(bmpSwapBytes, *reinterpret_cast<unsigned char*>(&one) == 0 ? 1 : 0);
}

TEST(BmpTest, GeneratedTexturesDecodeAsAnIndependentDecoderSeesThem)
{
    int eightBit = 0, twentyFourBit = 0;
    for (const char* name : textureFiles) {
        std::string path = std::string(TEXTURE_DIR) + "/" + name;
        Loaded ours = load(path);
        ASSERT_EQ(ours.output, "") << name;
        int w = 0, h = 0, n = 0;
        unsigned char* ref = stbi_load(path.c_str(), &w, &h, &n, 3);
        ASSERT_NE(ref, nullptr) << name;
        ASSERT_EQ(ours.image.width, (uint32_t)w) << name;
        ASSERT_EQ(ours.image.height, (uint32_t)h) << name;
        // Power-of-two sizes from 64 to 256.
        for (int size : {w, h}) {
            EXPECT_GE(size, 64) << name;
            EXPECT_LE(size, 256) << name;
            EXPECT_EQ(size & (size - 1), 0) << name;
        }
        // stb gives the top row first; the image keeps the file's bottom-up order.
        size_t row = (size_t)w * 3;
        for (int y = 0; y < h; y++)
            ASSERT_EQ(0, std::memcmp(ours.image.pixels + (size_t)y * row, ref + (size_t)(h - 1 - y) * row, row))
                << name << " row " << y;
        stbi_image_free(ref);
        std::free(ours.image.pixels);

        FILE* f = std::fopen(path.c_str(), "rb");
        unsigned char header[30];
        ASSERT_EQ(std::fread(header, 1, 30, f), 30u);
        std::fclose(f);
        (header[28] == 8 ? eightBit : twentyFourBit)++;
    }
    EXPECT_GE(eightBit, 2);
    EXPECT_GE(twentyFourBit, 2);
}

}  // namespace
