#pragma once

#include "game/uFunctions.h"
#include "graphics/Bitmap32.h"
#include "graphics/Image32.h"
#include "graphics/Layers.h"

#include <set>
#include <vector>

// A stand-in for the main window's staff: the staff view (575 x 289 showing a
// 575 x 300 picture) and the three picture lists the staff drawing uses, filled
// with the program's artwork when it is built, else with distinct plain pictures
// of the same sizes, and the staff object drawing on them.
class StaffFixture
{
public:
    StaffFixture();

    // Whether the pictures are the real artwork (pixel tests need it).
    static bool HasArtwork();
    // Gives the staff picture and every list picture its twin at twice the resolution, as the
    // program does on a scaled screen (only with the artwork).
    void AddDetails();

    static bool SamePicture(const TBitmap32* a, const TBitmap32* b);
    // The index of the first list item whose size and pixels the bitmap holds, or -1.
    static int PictureIndex(const TBitmap32* bitmap, TBitmap32List& list);

    TBitmapLayer* Layer(int index);

    TImage32 view;
    TBitmap32List keyList;
    TBitmap32List noteList;
    TBitmap32List markList;
    TStaffView drawing{view, keyList, noteList, markList};
};
