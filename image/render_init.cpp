#include "image/render_init.h"

#include <GL/gl.h>

#include "image/bmp.h"
#include "state/viewer_state.h"

const char* const textureFiles[14] = {
    "dol2.bmp",       "window.bmp",     "door.bmp",       "wallpaper.bmp",  "wallpaper2.bmp",
    "wallpaper3.bmp", "wallpaper4.bmp", "wallpaper5.bmp", "bottom.bmp",     "bottom2.bmp",
    "bottom3.bmp",    "bottom4.bmp",    "bottom5.bmp",    "flosis.bmp",
};

void setupLighting()
{
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, lightWhite);
    // Given once while the modelview is the identity: the light stays fixed
    // to the viewer.
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glMaterialfv(GL_FRONT, GL_SPECULAR, matSpecular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &matShininess);
}

void initScene()
{
    // Image rows are tightly packed, whatever their width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLuint name = 1; name <= 14; name++) {
        // A failed load leaves textureImage as it was, so the name gets the
        // previous file's image (or an empty one for name 1).
        loadBMP(textureFiles[name - 1], &textureImage);
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, (GLsizei)textureImage.width, (GLsizei)textureImage.height, 0,
                     GL_RGB, GL_UNSIGNED_BYTE, textureImage.pixels);
    }
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    setupLighting();
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
}
