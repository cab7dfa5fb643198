// TPicture and the registry of graphic classes by file extension.
#include "GraphicsImage.h"
#include "Jpeg.h"

#include <QFileInfo>

namespace {
struct TFileFormat {
    QString Extension;  // lower case, no dot
    QString Description;
    TGraphicClass GraphicClass;
};

std::vector<TFileFormat>& FileFormats() {
    static std::vector<TFileFormat> formats = {
        {QStringLiteral("bmp"), QStringLiteral("Bitmaps"), &NewGraphic<TBitmap>},
        {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"), &NewGraphic<TJPEGImage>},
        {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"), &NewGraphic<TJPEGImage>},
    };
    return formats;
}
}  // namespace

void TPicture::RegisterFileFormat(const QString& extension, const QString& description,
                                  TGraphicClass graphicClass) {
    FileFormats().push_back({extension.toLower(), description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
    auto& formats = FileFormats();
    std::erase_if(formats, [&](const TFileFormat& f) { return f.GraphicClass == graphicClass; });
}

TGraphicClass TPicture::FindGraphicClass(const QString& extension) {
    const QString ext = extension.startsWith('.') ? extension.mid(1).toLower() : extension.toLower();
    for (const TFileFormat& f : FileFormats())
        if (f.Extension == ext) return f.GraphicClass;
    return nullptr;
}

QString TPicture::GraphicFilter() {
    QStringList filters;
    for (const TFileFormat& f : FileFormats())
        filters << QStringLiteral("%1 (*.%2)").arg(f.Description, f.Extension);
    return filters.join(QStringLiteral(";;"));
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::SetGraphic(const TGraphic* graphic) {
    if (graphic == FGraphic.get()) return;
    FGraphic = graphic ? graphic->Clone() : nullptr;
    Changed();
}

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return bitmap;
    FGraphic = std::make_unique<TBitmap>();
    Changed();
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const QString& fileName) {
    const QString ext = QFileInfo(fileName).suffix();
    const TGraphicClass graphicClass = FindGraphicClass(ext);
    if (!graphicClass) throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(ext));
    std::unique_ptr<TGraphic> graphic(graphicClass());
    graphic->LoadFromFile(fileName);
    FGraphic = std::move(graphic);
    Changed();
}

void TPicture::SaveToFile(const QString& fileName) {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}
