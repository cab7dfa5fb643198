// Fuzzes the PNG reader: load; what loads is drawn, saved and loaded again and must come back
// the same size. Only the codec's own errors may escape a load.
#include "pngpicture.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.SetBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    TPngPicture png;
    try {
        png.LoadFromStream(&stream);
    } catch (const EPngError&) {
        if (!png.Empty()) std::abort();  // a failed load must leave the picture empty
        return 0;
    }
    // Drawing every transparency mode, small so large pictures stay quick.
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(8, 8);
    png.Draw(target.Canvas(), Rect(0, 0, 8, 8));

    TMemoryStream saved;
    png.SaveToStream(&saved);
    saved.SetPosition(0);
    TPngPicture again;
    again.LoadFromStream(&saved);  // what we write we must read: any error here is a crash
    if (again.Width() != png.Width() || again.Height() != png.Height()) std::abort();
    return 0;
}
