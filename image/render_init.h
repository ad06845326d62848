// One-time OpenGL set-up: the fourteen textures, the light and fixed state.
#pragma once

// The texture files, in texture-name order: file n - 1 goes to name n.
extern const char* const textureFiles[14];

void initScene();
void setupLighting();
