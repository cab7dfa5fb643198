// Framework use: the window style of the native controls, wrapped so that the pictures it keeps
// (scroll bars, spin boxes, frames) are shared by every control of the same colours.
#pragma once

#include <QtGlobal>

class QWidget;

// Makes the application's style the wrapped one (once; later calls do nothing).
void UseColourKeyedStyle();

// How many palettes the wrapped style keeps: one per set of colours that a living widget draws with
// now; and aside, of the last colours no widget uses any more, at most SparePalettes.
constexpr int SparePalettes = 32;
int SharedPaletteCount();
int SparePaletteCount();
// How many sets of colours the widget holds a palette for; how many times two sets were compared
// (to look one up), all told.
int PalettesHeldBy(const QWidget* widget);
qint64 ColourKeyComparisons();
