#pragma once
// The drag image of a thumbnail list's item: its picture alone, and where it
// may lie. The system's drag image keeps what lies under it by reading the
// screen, and a read reaching past the screen's edge comes back black, which
// it later puts back as a black block: the image stays wholly on the screen.
#include <windows.h>

#include <memory>

#include "framework/framework.h"

// An image of the list cut down to its picture (the list's background around
// it left out), in a list of its own; null when it cannot be made.
std::unique_ptr<CImageList> MakeDragImage(CImageList& images, int image);

// The point to give a drag image of that size for the cursor at a screen
// point: the cursor's, moved just enough that the image, its top-left at the
// point less the hot spot, lies inside the screen.
POINT KeepDragImageOnScreen(POINT cursor, SIZE image, POINT hotSpot);
