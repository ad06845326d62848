// The ground level of the house.
#pragma once

// Draws the ground level in the scene frame and leaves two matrix levels
// open, with the room frame lifted by (0, 1.4, 0) current.
void drawHouseShell();
