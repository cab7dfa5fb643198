// JPEG pictures, decoded with libjpeg; the file's bytes are kept and written back unchanged.
#pragma once

#include "GraphicsImage.h"

#include <QByteArray>

class EJPEG : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
};

class TJPEGImage : public TGraphic {
public:
    TJPEGImage();
    ~TJPEGImage() override;

    std::unique_ptr<TGraphic> Clone() const override;
    void Assign(const TGraphic* source) override;
    void AssignTo(TGraphic* dest) const override;
    void Draw(TCanvas* canvas, const TRect& r) override;

    bool Empty() const override { return FBitmap.Empty(); }
    int Width() const override { return FBitmap.Width(); }
    int Height() const override { return FBitmap.Height(); }
    void SetWidth(int) override {}  // a JPEG's size comes from its data
    void SetHeight(int) override {}

    void LoadFromStream(TStream* stream) override;  // EJPEG on data libjpeg rejects
    void SaveToStream(TStream* stream) override;

    const TBitmap* Bitmap() const { return &FBitmap; }

private:
    QByteArray FData;
    TBitmap FBitmap;
};
