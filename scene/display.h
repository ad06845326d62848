// One frame of the scene.
#pragma once

void display();
void setupCamera();
void placeOutsidePiece();
void placeFurniture();
void drawStaircase();
