#include "Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace {
QClipboard* System() {
    return QGuiApplication::clipboard();
}
}  // namespace

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

QString TClipboard::AsText() const {
    return System()->text();
}

void TClipboard::SetAsText(const QString& text) {
    System()->setText(text);
}

bool TClipboard::HasFormat(unsigned format) const {
    const QMimeData* data = System()->mimeData();
    if (!data) return false;
    if (format == CF_TEXT) return data->hasText();
    if (format == CF_BITMAP) return data->hasImage();
    return false;
}

void TClipboard::Clear() {
    System()->clear();
}

void TClipboard::Assign(TGraphic* graphic) {
    unsigned format = 0;
    if (graphic) graphic->SaveToClipboardFormat(format);
}

QImage TClipboard::BitmapImage() const {
    return System()->image();
}

void TClipboard::SetBitmapImage(const QImage& image) {
    System()->setImage(image);
}
