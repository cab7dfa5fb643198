// Fuzzes the PNG reader: load; what loads is drawn, saved and loaded again and must come back
// the same size. Only the codec's own errors may escape a load.
#include "pngpicture.h"

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string_view>

namespace {
// Gives every whole chunk the CRC of what it holds, so a mutated chunk reaches the code that reads
// it instead of stopping at the CRC check. One input in eight (by its length) is left as it is,
// so damaged CRCs are still met.
void RepairChunkCrcs(QByteArray& file) {
    if (file.size() % 8 == 0) return;
    auto* bytes = reinterpret_cast<std::uint8_t*>(file.data());
    for (qsizetype at = 8; at + 12 <= file.size();) {
        const std::uint32_t length = ReadBigEndian32(bytes + at);
        if (length > std::uint64_t(file.size() - at - 12)) break;
        const QByteArray name = file.mid(at + 4, 4);
        WriteBigEndian32(bytes + at + 8 + length, ChunkCrc(name, bytes + at + 8, length));
        at += 12 + qsizetype(length);
    }
}

// Keeps an input that takes longer than a second in the folder PNG_FUZZ_SLOW names, when it names
// one: tools/fuzz-png.sh times each again on its own, since a busy machine can make any input slow
// once. The run's own time limit is far longer and catches only a hang.
class TSlowInputKeeper {
public:
    TSlowInputKeeper(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
    ~TSlowInputKeeper() {
        const char* folder = std::getenv("PNG_FUZZ_SLOW");
        if (!folder || !*folder || std::chrono::steady_clock::now() - FStart <= std::chrono::seconds(1))
            return;
        const std::string_view bytes(reinterpret_cast<const char*>(FData), FSize);
        char name[4096];
        std::snprintf(name, sizeof name, "%s/slow-%016zx", folder, std::hash<std::string_view>{}(bytes));
        if (std::FILE* file = std::fopen(name, "wb")) {
            std::fwrite(FData, 1, FSize, file);
            std::fclose(file);
        }
    }

private:
    const std::uint8_t* FData;
    std::size_t FSize;
    std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TSlowInputKeeper keeper(data, size);
    QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    RepairChunkCrcs(file);
    TMemoryStream stream;
    stream.SetBytes(file);
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
