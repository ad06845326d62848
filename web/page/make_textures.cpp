// The house's textures made in the browser, by the generator the desktop's
// texgen runs: the page calls this before the program starts, and the
// fourteen files stand in the program's working directory, where it opens
// them by name as on the desktop. A page built with a texture set of its own
// fetches that set instead and never calls this.
#include <emscripten.h>

#include <cstdio>

#include "tools/textures.h"

extern "C" EMSCRIPTEN_KEEPALIVE int tarnvaleMakeTextures()
{
    if (const char* failed = writeTextures(".")) {
        std::printf("The house's textures could not be made: %s\n", failed);
        return 0;
    }
    return 1;
}
