// The system clipboard: text and bitmaps.
#pragma once

#include "GraphicsImage.h"

#include <QString>

class QImage;

class TClipboard : public TObject {
public:
    QString AsText() const;
    void SetAsText(const QString& text);
    bool HasFormat(unsigned format) const;  // CF_TEXT or CF_BITMAP
    void Clear();
    // Puts the graphic on the clipboard in its clipboard format.
    void Assign(TGraphic* graphic);

    // Framework use: the bitmap format's pixels.
    QImage BitmapImage() const;
    void SetBitmapImage(const QImage& image);
};

TClipboard* Clipboard();
