// Writes the fourteen texture files of the house into a folder:
//   texgen OUTPUT_DIR
#include <cstdio>

#include "tools/textures.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: texgen OUTPUT_DIR\n");
        return 2;
    }
    if (const char* failed = writeTextures(argv[1])) {
        std::fprintf(stderr, "texgen: could not write %s/%s\n", argv[1], failed);
        return 1;
    }
    return 0;
}
