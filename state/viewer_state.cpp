// The viewer state's starting values, the program's since its first frame.
#include "state/viewer_state.h"

float orthoExtent = 5.0f;
float turnStep = 0.125f;
float walkStep = 0.125f;
float zoomFactor = 1.125f;

float sceneScale = 1.0f;
int orthoOn = 0;
signed char viewMode = 1;
int frontFaceCW = 0;
// The mirrors start at 1 because initScene enables all three features.
int depthTestOn = 1;
int texturingOn = 1;
int lightingOn = 1;

float viewAngle = 0.0f;
// The first reshape moves the eye to z = 5 before any frame is drawn.
float eyeX = 0.0f;
float eyeZ = -5.0f;
float centerX = 0.0f;
float centerZ = 0.0f;
float rotX = 0.0f;
float rotY = 0.0f;

int winWidth = 0;
int winHeight = 0;

int lastMouseX = 0;
int lastMouseY = 0;
int mouseState = 0;

float doorAngle = 30.0f;
unsigned char doorReturning = 0;

int texStone = 1;
int texWindow = 2;
int texDoor = 3;
int wallpaperTex = 4;
int floorTex = 9;

float colorGreen[3] = {0.0f, 1.0f, 0.0f};
float colorYellow[3] = {1.0f, 1.0f, 0.0f};
float colorCyan[3] = {0.0f, 1.0f, 1.0f};
float colorWhite[3] = {1.0f, 1.0f, 1.0f};
float colorGrey[3] = {0.25f, 0.25f, 0.25f};
float colorOrange[3] = {0.98f, 0.625f, 0.12f};
float colorPink[3] = {0.98f, 0.04f, 0.7f};
float colorBrown[3] = {0.6f, 0.4f, 0.12f};
float colorLeaf[3] = {0.0f, 0.7f, 0.1f};

float lightWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float lightPosition[4] = {5.0f, 5.0f, 5.0f, 0.0f};  // w = 0: directional
float matSpecular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float matShininess = 40.0f;

Image textureImage = {0, 0, nullptr};
int bmpSwapBytes = 0;
