// The six furniture models, each in model coordinates of its own.
#pragma once

void drawDesk();
void drawChair();
void drawWardrobe();
void drawTable();
void drawBed();
void drawTelevision();
