// The flat twelve-cornered piece seen high above the house in outside view.
#pragma once

void drawOutsidePiece();
