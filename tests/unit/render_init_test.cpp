#include <unistd.h>

#include <filesystem>

#include "bmp_files.h"
#include "image/bmp.h"
#include "image/render_init.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// Runs initScene in a folder holding the generated textures less the named
// ones, and returns what it printed.
class InitSceneTest : public ::testing::Test {
protected:
    fs::path dir;
    fs::path previous;
    void SetUp() override
    {
        freshStart();
        previous = fs::current_path();
        dir = fs::temp_directory_path() / ("tarnvale_init_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : textureFiles)
            fs::copy_file(fs::path(TEXTURE_DIR) / name, dir / name);
        fs::current_path(dir);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    std::string run()
    {
        ::testing::internal::CaptureStdout();
        initScene();
        return ::testing::internal::GetCapturedStdout();
    }
    static Image decoded(const char* name)
    {
        Image image = {0, 0, nullptr};
        loadBMP((fs::path(TEXTURE_DIR) / name).c_str(), &image);
        return image;
    }
    static bool holds(GLuint name, const Image& image)
    {
        const rgl::Texture& t = rgl::gl.textures[name];
        return t.hasData && t.width == (int)image.width && t.height == (int)image.height &&
               t.pixels == std::vector<unsigned char>(image.pixels, image.pixels + (size_t)image.width * image.height * 3);
    }
};

TEST_F(InitSceneTest, EachFileLandsInItsOwnTextureName)
{
    EXPECT_EQ(run(), "");
    for (GLuint n = 1; n <= 14; n++)
        EXPECT_TRUE(holds(n, decoded(textureFiles[n - 1]))) << n;
    EXPECT_EQ(textureImage.width, decoded("flosis.bmp").width);  // the last file loaded
}

TEST_F(InitSceneTest, CallsInOrder)
{
    run();
    std::vector<std::string> expected = {"glPixelStorei"};
    for (int n = 1; n <= 14; n++) {
        expected.insert(expected.end(), {"glBindTexture", "glTexParameteri", "glTexParameteri", "glTexParameteri",
                                         "glTexParameteri", "glTexEnvf", "glTexImage2D"});
    }
    expected.insert(expected.end(), {"glClearColor", "glLightModelfv", "glLightfv", "glMaterialfv", "glMaterialfv",
                                     "glColorMaterial", "glShadeModel", "glEnable", "glEnable", "glEnable",
                                     "glEnable", "glEnable", "glEnable", "glEnable"});
    ASSERT_EQ(rgl::callNames(), expected);  // the indexing below needs every call
    const auto& c = rgl::gl.calls;
    EXPECT_EQ(c[0].args, (std::vector<double>{GL_UNPACK_ALIGNMENT, 1}));
    EXPECT_EQ(c[1].args[1], 1);
    EXPECT_EQ(c[2].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST}));
    EXPECT_EQ(c[3].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST}));
    EXPECT_EQ(c[4].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT}));
    EXPECT_EQ(c[5].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT}));
    EXPECT_EQ(c[6].args, (std::vector<double>{GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE}));
    EXPECT_EQ(c[7].args[2], GL_RGB);
    EXPECT_EQ(c[7].args[6], GL_RGB);
    EXPECT_EQ(c[7].args[7], GL_UNSIGNED_BYTE);
    size_t light = 1 + 14 * 7;
    EXPECT_EQ(c[light].args, (std::vector<double>{0, 0, 0, 1}));
    EXPECT_EQ(c[light + 1].args, (std::vector<double>{GL_LIGHT_MODEL_AMBIENT, 1, 1, 1, 1}));
    EXPECT_EQ(c[light + 2].args, (std::vector<double>{GL_LIGHT0, GL_POSITION, 5, 5, 5, 0}));
    EXPECT_EQ(c[light + 3].args, (std::vector<double>{GL_FRONT, GL_SPECULAR, 1, 1, 1, 1}));
    EXPECT_EQ(c[light + 4].args, (std::vector<double>{GL_FRONT, GL_SHININESS, 40}));
    EXPECT_EQ(c[light + 5].args, (std::vector<double>{GL_FRONT, GL_AMBIENT_AND_DIFFUSE}));
    EXPECT_EQ(c[light + 6].args, (std::vector<double>{GL_SMOOTH}));
    const GLenum enables[] = {GL_CULL_FACE, GL_COLOR_MATERIAL, GL_LIGHTING, GL_LIGHT0,
                              GL_NORMALIZE, GL_TEXTURE_2D,     GL_DEPTH_TEST};
    for (size_t i = 0; i < 7; i++)
        EXPECT_EQ(c[light + 7 + i].args[0], enables[i]) << i;
}

TEST_F(InitSceneTest, MissingWindowFileRepeatsTheStoneImage)
{
    fs::remove(dir / "window.bmp");
    EXPECT_EQ(run(), "Could not open file 'window.bmp'\n");
    EXPECT_TRUE(holds(2, decoded("dol2.bmp")));
    EXPECT_TRUE(holds(3, decoded("door.bmp")));
}

TEST_F(InitSceneTest, MissingStoneFileLeavesTextureOneEmpty)
{
    fs::remove(dir / "dol2.bmp");
    EXPECT_EQ(run(), "Could not open file 'dol2.bmp'\n");
    EXPECT_EQ(rgl::gl.textures[1].width, 0);
    EXPECT_EQ(rgl::gl.textures[1].height, 0);
    EXPECT_FALSE(rgl::gl.textures[1].hasData);
    EXPECT_TRUE(holds(2, decoded("window.bmp")));
}

TEST_F(InitSceneTest, BadFilesPrintTheReadersMessageAndTheRestLoad)
{
    std::vector<unsigned char> garbage(300, 0x5A);
    FILE* f = std::fopen("wallpaper3.bmp", "wb");
    std::fwrite(garbage.data(), 1, garbage.size(), f);
    std::fclose(f);
    fs::resize_file("bottom.bmp", 100);  // headers only
    EXPECT_EQ(run(), "Error reading BMP file, file type incorrect\nError reading BMP pixels\n");
    EXPECT_TRUE(holds(6, decoded("wallpaper2.bmp")));
    EXPECT_TRUE(holds(14, decoded("flosis.bmp")));
    const rgl::Texture& cut = rgl::gl.textures[9];
    EXPECT_TRUE(cut.hasData);
    EXPECT_EQ(cut.pixels, std::vector<unsigned char>(cut.pixels.size(), 0));  // rows never read are black
}

TEST_F(InitSceneTest, OddWidthImagesUploadTightlyPacked)
{
    CraftedBmp crafted;
    crafted.width = 3;
    crafted.height = 2;
    crafted.pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
    std::vector<unsigned char> bytes = buildBmp(crafted);
    FILE* f = std::fopen("flosis.bmp", "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    run();
    const rgl::Texture& t = rgl::gl.textures[14];
    EXPECT_EQ(t.unpackAlignment, 1);
    EXPECT_EQ(t.pixels, (std::vector<unsigned char>{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));
}

}  // namespace
