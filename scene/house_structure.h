// The upper storey of the house.
#pragma once

// Draws the upper storey. It leaves the house frame current: the entry
// matrix translated by (-0.46, -0.5, 0.2) and turned 30 degrees about y.
void drawHouse();
