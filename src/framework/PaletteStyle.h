// Framework use: the window style of the native controls, wrapped so that the pictures it keeps
// (scroll bars, spin boxes, frames) are shared by every control of the same colours.
#pragma once

// Makes the application's style the wrapped one (once; later calls do nothing).
void UseColourKeyedStyle();

// How many palettes the wrapped style keeps: one per set of colours that a living widget drew with; and
// aside, of the last colours no widget uses any more, at most SparePalettes.
constexpr int SparePalettes = 32;
int SharedPaletteCount();
int SparePaletteCount();
