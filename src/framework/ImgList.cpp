#include "ImgList.h"

#include "GraphicsImage.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>

TChangeLink::~TChangeLink() {
    if (FSender) FSender->UnRegisterChanges(this);
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomImageList::~TCustomImageList() {
    for (TChangeLink* link : FLinks)
        link->FSender = nullptr;
}

void TCustomImageList::RegisterChanges(TChangeLink* Link) {
    if (!Link || Link->FSender == this) return;
    if (Link->FSender) Link->FSender->UnRegisterChanges(Link);
    Link->FSender = this;
    FLinks.push_back(Link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Link) {
    if (!Link || Link->FSender != this) return;
    Link->FSender = nullptr;
    FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), Link), FLinks.end());
}

void TCustomImageList::Changed() {
    const std::vector<TChangeLink*> links = FLinks;
    for (TChangeLink* link : links)
        if (link->FSender == this && link->OnChange) link->OnChange(this);
}

void TCustomImageList::SetWidth(int width) {
    if (width == FWidth) return;
    FWidth = std::max(1, width);
    Clear();
}

void TCustomImageList::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = std::max(1, height);
    Clear();
}

int TCustomImageList::AddImage(const QImage& image) {
    const int first = Count();
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    // A strip is cut into Width-wide pieces; a picture of another height is scaled to fit.
    const int pieces = std::max(1, source.width() / FWidth);
    for (int i = 0; i < pieces; ++i) {
        QImage piece =
            source.width() >= FWidth * pieces ? source.copy(i * FWidth, 0, FWidth, source.height()) : source;
        if (piece.size() != QSize(FWidth, FHeight))
            piece = piece.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        FImages.push_back(piece);
    }
    Changed();
    return first;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask) {
    if (!image || image->Empty()) return -1;
    QImage pixels = image->ToImage().convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->Empty()) {
        const QImage maskPixels = mask->ToImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < std::min(pixels.height(), maskPixels.height()); ++y) {
            auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
            const auto* maskLine = reinterpret_cast<const QRgb*>(maskPixels.constScanLine(y));
            for (int x = 0; x < std::min(pixels.width(), maskPixels.width()); ++x)
                if ((maskLine[x] & 0xFFFFFF) != 0) line[x] = 0;
        }
    }
    return AddImage(pixels);
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor) {
    if (!image || image->Empty()) return -1;
    return AddImage(WithColorTransparent(image->ToImage(), maskColor));
}

int TCustomImageList::AddFromFile(const QString& fileName) {
    TPicture picture;
    picture.LoadFromFile(fileName);
    TGraphic* graphic = picture.Graphic();
    if (!graphic || graphic->Empty()) return -1;
    // Drawn onto clear pixels, so a graphic's own transparency (an alpha channel, a transparent
    // colour) stays transparent in the list. A pixmap is no canvas the graphic could read back, so a
    // graphic with an alpha channel hands its alpha over instead of blending onto what lies beneath.
    QPixmap pixels(graphic->Width(), graphic->Height());
    pixels.fill(Qt::transparent);
    {
        QPainter painter(&pixels);
        TCanvas canvas(&painter);
        graphic->Draw(&canvas, Rect(0, 0, graphic->Width(), graphic->Height()));
    }
    return AddImage(pixels.toImage());
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(index));
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TCustomImageList::Clear() {
    FImages.clear();
    Changed();
}

QImage TCustomImageList::Image(int index) const {
    return index >= 0 && index < Count() ? FImages[index] : QImage();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    QPainter* painter = canvas ? canvas->Painter() : nullptr;
    if (!painter || index < 0 || index >= Count()) return;
    painter->save();
    if (!enabled) painter->setOpacity(0.4);
    painter->drawImage(QPoint(x, y), FImages[index]);
    painter->restore();
}
