// The recorded frame's calls and the textures it binds as the page reads
// them out of the module (frame_reader.js, save_frame.js): each call's
// name, arguments, place among the calls made inside others, display list
// and data, the window's display mode, and each texture's parameters and
// image.
#include <GL/glut.h>
#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "web/gl/gl_web.h"
#include "web/inspect/record.h"

using inspect::lastRecord;

extern "C" {

EMSCRIPTEN_KEEPALIVE int inspectCallCount()
{
    return (int)lastRecord().calls.size();
}

EMSCRIPTEN_KEEPALIVE const char* inspectCallName(int call)
{
    return lastRecord().calls.at((size_t)call).name;
}

// The call's arguments, their number written to `count`.
EMSCRIPTEN_KEEPALIVE const double* inspectCallArgs(int call, int* count)
{
    const std::vector<double>& args = lastRecord().calls.at((size_t)call).args;
    *count = (int)args.size();
    return args.data();
}

// How a call stands in the frame, into `out`: one past the last call made
// inside it, whether it is made again when the frame is (what is not only
// reads, or points into the program's memory), and whether it keeps data.
EMSCRIPTEN_KEEPALIVE void inspectCallShape(int call, int* out)
{
    const inspect::Call& c = lastRecord().calls.at((size_t)call);
    out[0] = (int)c.end;
    out[1] = c.redo ? 1 : 0;
    out[2] = c.direct ? 1 : 0;
}

// The display list a call was made by and where in it, into `out`: 0 for
// a call the program made itself.
EMSCRIPTEN_KEEPALIVE void inspectCallList(int call, int* out)
{
    const inspect::Call& c = lastRecord().calls.at((size_t)call);
    out[0] = (int)c.list;
    out[1] = (int)c.listPosition;
}

// The data a call was made with (bits, pixels, points), its bytes written
// to `count`.
EMSCRIPTEN_KEEPALIVE const unsigned char* inspectCallData(int call, int* count)
{
    const std::vector<unsigned char>& data = lastRecord().calls.at((size_t)call).data;
    *count = (int)data.size();
    return data.data();
}

// The window's display mode, as the program asked for it.
EMSCRIPTEN_KEEPALIVE int inspectDisplayMode()
{
    return glutGet(GLUT_INIT_DISPLAY_MODE);
}

// A texture's parameters: its minifying and magnifying filters and its
// wrapping along s and t, into `out`.
EMSCRIPTEN_KEEPALIVE void inspectTextureParams(int name, int* out)
{
    const glweb::Texture& t = webContext().textures[(GLuint)name];
    const int values[] = {t.minFilter, t.magFilter, t.wrapS, t.wrapT};
    std::copy(values, values + 4, out);
}

// A texture's image as WebGL has it, RGBA rows from the bottom; its width
// and height are written to `size`.
EMSCRIPTEN_KEEPALIVE const unsigned char* inspectTexture(int name, int* size)
{
    const auto& textures = webContext().textures;
    auto it = textures.find((GLuint)name);
    if (it == textures.end() || it->second.pixels.empty()) {
        size[0] = size[1] = 0;
        return nullptr;
    }
    size[0] = it->second.storedWidth;
    size[1] = it->second.storedHeight;
    return it->second.pixels.data();
}

}  // extern "C"
