// The real window on the real GL, for render tests under Xvfb.
#pragma once

#include <GL/glut.h>

#include <string>
#include <vector>

struct Rgb8 {
    int r, g, b;
};

struct Frame {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // bottom row first, as glReadPixels gives it
    Rgb8 at(int x, int y) const;
    // Pixels within `tolerance` of a colour, per channel.
    int count(Rgb8 colour, int tolerance = 2) const;
    int countNot(Rgb8 colour, int tolerance = 2) const;
};

// Opens the program's window once per process, runs initScene in the texture
// folder and waits for the first reshape. Returns false if no display.
bool openRealWindow();
// Puts the view and the switches back to their start values.
void resetView();
// Draws one frame through display and returns the picture it swapped in.
Frame drawFrame();
// Reads the back buffer without swapping, for tests that draw by hand.
Frame readBack();
// Writes the frame as a binary PPM, top row first, for looking at failures.
void saveFrame(const Frame& frame, const std::string& path);
// The palette colour as the frame buffer stores it.
Rgb8 toRgb8(const float* colour);
