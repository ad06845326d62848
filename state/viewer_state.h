// The program-wide viewer state: input callbacks write it, the frame reads it.
// It stands below every other part of the program and includes nothing of theirs.
#pragma once

#include "state/image.h"

// Fixed settings.
extern float orthoExtent;
extern float turnStep;
extern float walkStep;
extern float zoomFactor;

// View switches.
extern float sceneScale;
extern int orthoOn;
extern signed char viewMode;  // 1 = inside view, 2 = outside view
extern int frontFaceCW;
extern int depthTestOn;
extern int texturingOn;
extern int lightingOn;

// Camera.
extern float viewAngle;  // radians, 0 looks along -z, growing turns right
extern float eyeX;
extern float eyeZ;
extern float centerX;
extern float centerZ;
extern float rotX;  // degrees
extern float rotY;  // degrees

// Window size from the last reshape with a nonzero height.
extern int winWidth;
extern int winHeight;

// Mouse drag.
extern int lastMouseX;
extern int lastMouseY;
extern int mouseState;  // 0 while the left button is held, -1 after release

// Door.
extern float doorAngle;  // degrees, a whole number from 30 to 90
extern unsigned char doorReturning;

// Texture names.
extern int texStone;
extern int texWindow;
extern int texDoor;
extern int wallpaperTex;  // 4 to 8
extern int floorTex;      // 9 to 13

// Colour palette.
extern float colorGreen[3];
extern float colorYellow[3];
extern float colorCyan[3];
extern float colorWhite[3];
extern float colorGrey[3];
extern float colorOrange[3];
extern float colorPink[3];
extern float colorBrown[3];
extern float colorLeaf[3];

// Lighting values.
extern float lightWhite[4];
extern float lightPosition[4];
extern float matSpecular[4];
extern float matShininess;

// Owned by the image subsystem.
extern Image textureImage;
extern int bmpSwapBytes;
