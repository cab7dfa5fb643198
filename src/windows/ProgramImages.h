// The pictures the program carries inside itself.
#pragma once

#include "ImgList.h"

// The trees' icons, read through the PNG codec: 0 a group, 1 a subgroup or class, 2 an item
// (a food, recipe or set meal), 3 an item when selected.
TImageList* CreateTreeImages(TComponent* owner);
