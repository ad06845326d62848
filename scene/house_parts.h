// Pieces that both storeys of the house share: the window bay, the row of
// three bays on the window side, and the room walls.
#pragma once

#include "scene/primitives.h"

// Face sets of a window bay: its frame (sill, jambs, bar), its panes, its head.
struct BayFaces {
    const FaceSet* frame;
    const FaceSet* pane;
    const FaceSet* head;
};

// One wall panel of a room: turned about y, moved, then the rectangle
// x 0..width, y -0.5..top in the plane z = 1.5.
struct RoomWall {
    float turn;
    float tx, ty, tz;
    float width, top, s;
};

// The walls that both storeys place in the same order around the doorway.
enum {
    wallWindowSide,
    wallWindowSideEnd,
    wallEndMN,
    wallBackKN,
    wallEndLK,
    wallWindowSideL,
    wallCross,
    wallReturn,
    roomWallCount
};
extern const RoomWall roomWalls[roomWallCount];

// Nine panels from y = -1 to -0.09; leaves the frame lifted by (0, 0.11, 0).
void drawWindowBay(const BayFaces& faces);
// Bays 1 to 3 of the window side; leaves the room frame with bay 1's lift.
void drawWindowSide(const BayFaces& faces);
void drawRoomWall(const RoomWall& wall);
// The entrance wall left and right of the doorway, and the lintel over it.
void drawEntranceWall();
