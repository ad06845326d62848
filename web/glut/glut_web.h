// What the page's inspector asks of the GLUT layer.
#pragma once

// Draws one frame now, through the program's display callback.
void webDisplayNow();
