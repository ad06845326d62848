// Prints the GL and GLU calls of one frame of the program as the recording
// GL sees them, one a line: what the page's record of the same frame must
// equal. The keys given are pressed first.
//   frame_calls TEXTURE_DIR [KEYS]
#include <unistd.h>

#include <cstdio>

#include "app/camera.h"
#include "app/keyboard.h"
#include "call_line.h"
#include "image/render_init.h"
#include "recording_gl/recording_gl.h"
#include "scene/display.h"

int main(int argc, char** argv)
{
    if (argc < 2 || chdir(argv[1]) != 0)
        return 2;
    initScene();
    reshape(800, 600);
    for (const char* k = argc > 2 ? argv[2] : ""; *k; k++)
        keyboard((unsigned char)*k, 0, 0);
    rgl::clearLog();
    display();
    for (const rgl::Call& c : rgl::gl.calls)
        if (c.name.rfind("glut", 0) != 0)
            std::printf("%s\n", callLine(c.name, c.args).c_str());
    return 0;
}
