// The graphics unit of the styled control library: two-colour gradients in ten directions painted
// off screen in colour bands, tiling and mirroring of device-context areas, bitmaps copied with one
// colour left out, and the parent's background painted under a control that lets it show through.
#pragma once

#include "DeviceContext.h"
#include "Graphics.h"

class TBitmap;
class TControl;

enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};

void PaintGradient(TCanvas* Canvas, TRect Rect, TGradientDirection Direction, TColor StartColor,
                   TColor StopColor, std::uint8_t ColorSteps);
void PaintGradientEx(TCanvas* Canvas, const TRect& Rect, TGradientDirection Direction, TColor StartColor,
                     TColor StopColor, std::uint8_t ColorSteps);
// Bands along x (SplitX not 0) or along y; a split of -1 means no centre line.
void PaintLinearGradient(HDC DC, int SplitX, int SplitY, TColor StartColor, TColor StopColor,
                         std::uint8_t ColorSteps, int Length);
void PaintBoxGradient(HDC DC, int Width, int Height, TColor StartColor, TColor StopColor,
                      std::uint8_t ColorSteps, int InsetY, int InsetX);
// Width negative for the falling diagonal.
void PaintDiagonalGradient(HDC DC, int Width, int Height, TColor StartColor, TColor StopColor,
                           std::uint8_t ColorSteps);
void TileBlt(HDC DC, int X, int Y, int TileWidth, int TileHeight, int TotalWidth, int TotalHeight,
             unsigned Rop);
void MirrorBlt(HDC DC, int X, int Y, int Width, int Height, unsigned Rop);

void DrawStretchedTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect,
                                    TColor TransparentColor, const TRect& SourceRect);
void DrawTransparentBitmapEx(TCanvas* Canvas, TBitmap* Bitmap, const TRect& DestRect, TColor TransparentColor,
                             const TRect& SourceRect);
void DrawParentImage(TControl* Control, TCanvas* Canvas, bool InvalidateParent);
void DrawParentImageDC(TControl* Control, HDC DC, bool InvalidateParent);
