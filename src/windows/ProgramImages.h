// The pictures the program carries inside itself.
#pragma once

#include "ImgList.h"
#include "SkTreeVw.h"

// The trees' icons, read through the PNG codec: 0 a group, 1 a subgroup or class, 2 an item
// (a food, recipe or set meal), 3 an item when selected.
TImageList* CreateTreeImages(TComponent* owner);

// The icons of the recipe and set-meal trees, whose items carry image 1 (2 when selected): 0 a class,
// 1 an item, 2 an item when selected.
TImageList* CreateItemTreeImages(TComponent* owner);

// Which icons a tree shows: the food trees' four, or the recipe and set-meal trees' three.
enum class TTreeIcons { Foods, Items };

// A read-only tree with the program's icons, placed like any control; `keepSelectionShown` keeps the
// selected node marked while the tree has no focus.
TSkTreeView* PlaceTree(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                       int width, int height, bool keepSelectionShown = true,
                       TTreeIcons icons = TTreeIcons::Foods);
