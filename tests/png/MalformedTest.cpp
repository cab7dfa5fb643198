// Files a user might open that are broken in every way we could think of: each one is refused
// with the codec's matching error, and none is read past its end.
#include "LibpngReference.h"
#include "PngTestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
QByteArray Be32(std::uint32_t v) {
    QByteArray b(4, 0);
    WriteBigEndian32(reinterpret_cast<std::uint8_t*>(b.data()), v);
    return b;
}

// Small valid files of several kinds to cut and bend.
std::vector<QByteArray> Samples() {
    std::mt19937 random(3);
    std::vector<QByteArray> samples;
    for (auto [type, depth, interlaced] :
         {std::tuple{2, 8, false}, {6, 16, true}, {3, 4, false}, {0, 1, true}}) {
        const int channels = type == 2 ? 3 : type == 6 ? 4 : 1;
        std::vector<std::uint8_t> rows(size_t((7 * depth * channels + 7) / 8 * 6));
        for (auto& b : rows)
            b = std::uint8_t(random() % 16);
        std::vector<std::uint8_t> palette(type == 3 ? 48 : 0, 0x55);
        samples.push_back(EncodeWithLibpng(7, 6, type, depth, interlaced, rows, palette));
    }
    return samples;
}

// The first IDAT's offset in the file.
int IdatAt(const QByteArray& file) {
    return file.indexOf("IDAT") - 4;
}

}  // namespace

TEST(PngMalformed, FilesCutAtEveryByte) {
    for (const QByteArray& file : Samples())
        for (int cut = 0; cut < file.size(); ++cut) {
            SCOPED_TRACE(cut);
            const QByteArray part = file.left(cut);
            if (cut < 8)
                EXPECT_THROW(LoadPng(part), EPNGInvalidFileHeader);
            else
                EXPECT_THROW(LoadPng(part), EPngUnexpectedEnd);
        }
}

TEST(PngMalformed, ChunkLengthsBeyondTheFile) {
    for (const QByteArray& file : Samples())
        for (std::uint32_t length : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0x10000000u, 100000u}) {
            QByteArray bad = file;
            bad.replace(IdatAt(file), 4, Be32(length));
            EXPECT_THROW(LoadPng(bad), EPngUnexpectedEnd) << length;
            bad = file;
            bad.replace(8, 4, Be32(length));  // the header's length
            EXPECT_THROW(LoadPng(bad), EPngUnexpectedEnd) << length;
        }
}

TEST(PngMalformed, ImpossibleHeaders) {
    QByteArray rows(1 + 3, 0);
    EXPECT_THROW(LoadPng(TPngBuilder().Header(65535, 65535, 8, 2).ImageData(rows).End().Bytes),
                 EPNGOutMemory);
    EXPECT_THROW(LoadPng(TPngBuilder().Header(0, 7, 8, 2).ImageData(rows).End().Bytes), EPngInvalidIHDR);
    EXPECT_THROW(LoadPng(TPngBuilder().Header(7, 0, 8, 2).ImageData(rows).End().Bytes), EPngInvalidIHDR);
    for (int type = 0; type < 256; ++type)
        for (int depth : {0, 1, 2, 3, 4, 5, 8, 12, 16, 32, 255}) {
            const bool legal =
                ((type == 0) && (depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16)) ||
                (type == 3 && (depth == 1 || depth == 2 || depth == 4 || depth == 8)) ||
                ((type == 2 || type == 4 || type == 6) && (depth == 8 || depth == 16));
            if (legal) continue;
            EXPECT_THROW(LoadPng(TPngBuilder().Header(1, 1, depth, type).ImageData(rows).End().Bytes),
                         EPngInvalidIHDR)
                << type << "/" << depth;
        }
    // A header as large as allowed, with almost no data: refused as missing rows, not by reading on.
    EXPECT_THROW(LoadPng(TPngBuilder().Header(8192, 8192, 8, 6).ImageData(rows).End().Bytes),
                 EPNGMissingMultipleIDAT);
}

namespace {
// What loading a file says in a child process that may take no more than 256 MB beyond what it
// holds when it starts: the codec's message, "out of memory", or that the child died.
QString LoadWithin256MB(const QByteArray& file) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return QStringLiteral("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;  // the address space in use
        const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(256) << 20);
        const rlimit memory{limit, limit};
        setrlimit(RLIMIT_AS, &memory);
        QByteArray said = "loaded";
        try {
            LoadPng(file);
        } catch (const Exception& e) {
            said = e.Message().toUtf8();
        } catch (const std::bad_alloc&) {
            said = "out of memory";
        }
        [[maybe_unused]] const ssize_t n = write(pipeEnds[1], said.constData(), size_t(said.size()));
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray said;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? QString::fromUtf8(said) : QStringLiteral("the child died");
}
}  // namespace

// A few bytes that claim a large picture are refused as missing image parts before the picture's
// memory is taken: 16384 x 3360 16-bit RGB would need 315 MB, 8192 x 8192 16-bit RGBA 448 MB.
TEST(PngMalformed, ALargeHeaderWithAlmostNoDataIsRefusedBeforeTakingItsMemory) {
    const QByteArray oneByte = TPngBuilder().Header(16384, 3360, 16, 2).Chunk("IDAT", "\x78").End().Bytes;
    EXPECT_EQ(oneByte.size(), 58);
    EXPECT_EQ(LoadWithin256MB(oneByte), EPNGMissingMultipleIDATText);
    // The start of the rows' real data, in three chunks; then its last chunk cut short by the file's end.
    const QByteArray start = TPngBuilder::Zlib(QByteArray(1 << 20, '\x11')).left(300);
    const QByteArray split = TPngBuilder()
                                 .Header(8192, 8192, 16, 6)
                                 .Chunk("IDAT", start.left(100))
                                 .Chunk("IDAT", start.mid(100, 100))
                                 .Chunk("IDAT", start.mid(200))
                                 .End()
                                 .Bytes;
    EXPECT_EQ(LoadWithin256MB(split), EPNGMissingMultipleIDATText);
    EXPECT_EQ(LoadWithin256MB(split.left(split.size() - 12 - 4 - 50)), EPNGMissingMultipleIDATText);
    // Chunks after the image data are no image data; and data one byte short of filling the
    // picture at deflate's limit of 1032 to 1 is too short.
    const QByteArray text = QByteArray("Comment") + '\0' + QByteArray(400 << 10, 'x');
    EXPECT_EQ(
        LoadWithin256MB(
            TPngBuilder().Header(16384, 3360, 16, 2).Chunk("IDAT", "\x78").Chunk("tEXt", text).End().Bytes),
        EPNGMissingMultipleIDATText);
    const int rows = 3360, rowBytes = 16384 * 6 + 1;
    const QByteArray short1 = QByteArray((std::int64_t(rows) * rowBytes - 1) / 1032, 'x');
    EXPECT_EQ(LoadWithin256MB(TPngBuilder().Header(16384, rows, 16, 2).Chunk("IDAT", short1).End().Bytes),
              EPNGMissingMultipleIDATText);
    // Data just long enough goes on to be inflated: two bytes for two rows of 1032, here no zlib stream.
    EXPECT_THROW(LoadPng(TPngBuilder().Header(1031, 2, 8, 0).Chunk("IDAT", "xx").End().Bytes), EPNGZLIBError);
    // The same bytes with the last of two chunks cut by the file's end: only the bytes there count,
    // not the length its head claims.
    const QByteArray cut = TPngBuilder()
                               .Header(16384, rows, 16, 2)
                               .Chunk("IDAT", short1.left(short1.size() - 62))
                               .Chunk("IDAT", QByteArray(1000, 'x'))
                               .Bytes;
    EXPECT_EQ(LoadWithin256MB(cut.left(cut.size() - 4 - (1000 - 62))), EPNGMissingMultipleIDATText);
    // No image data at all says so, also without taking the memory.
    EXPECT_EQ(LoadWithin256MB(TPngBuilder().Header(16384, 3360, 16, 2).End().Bytes), EPNGNoImageDataText);
    // What the data can fill still loads there.
    const QByteArray row = QByteArray(1, 0) + QByteArray(12, 7);  // filter byte, two 16-bit RGB pixels
    EXPECT_EQ(LoadWithin256MB(TPngBuilder().Header(2, 1, 16, 2).ImageData(row).End().Bytes), "loaded");
}

// A picture of one colour compresses close to deflate's limit of 1032 to 1; it loads as ever.
TEST(PngMalformed, APictureOfOneColourAtDeflatesLimitStillLoads) {
    const int side = 4096;
    const QByteArray rows(side * (side + 1), 0);  // black, filter byte 0 on each row
    const QByteArray z = DeflateBuffer(rows, 9);
    EXPECT_GT(rows.size(), 1025 * z.size());  // as close to the limit as deflate comes
    // The data as zlib's writer splits it, in chunks of 8 KB.
    TPngBuilder builder;
    builder.Header(side, side, 8, 0);
    for (int at = 0; at < z.size(); at += 8192)
        builder.Chunk("IDAT", z.mid(at, 8192));
    auto png = LoadPng(builder.End().Bytes);
    EXPECT_EQ(png->Width(), side);
    EXPECT_EQ(png->GetPixels(0, 0), clBlack);
    EXPECT_EQ(png->GetPixels(side - 1, side - 1), clBlack);
}

TEST(PngMalformed, BadFilterBytes) {
    for (int filter : {5, 6, 64, 255}) {
        QByteArray rows = QByteArray(1, char(filter)) + QByteArray(3, 0);
        EXPECT_THROW(LoadPng(TPngBuilder().Header(1, 1, 8, 2).ImageData(rows).End().Bytes), EPNGZLIBError);
    }
}

TEST(PngMalformed, CompressedDataOfTheWrongLength) {
    const QByteArray rows = QByteArray(2 * 4, 0);  // two rows of a 1 x 2 RGB image
    auto file = [&](const QByteArray& z) {
        return TPngBuilder().Header(1, 2, 8, 2).Chunk("IDAT", z).End().Bytes;
    };
    EXPECT_NO_THROW(LoadPng(file(TPngBuilder::Zlib(rows))));
    // Rows missing: the stream ends early.
    EXPECT_THROW(LoadPng(file(TPngBuilder::Zlib(rows.left(5)))), EPNGMissingMultipleIDAT);
    // The stream is cut (no end, no checksum) before the rows are complete.
    EXPECT_THROW(LoadPng(file(TPngBuilder::Zlib(QByteArray(4000, 1)).left(6))), EPNGMissingMultipleIDAT);
    // The stream is cut right after the last row: no end and no checksum.
    const QByteArray whole = TPngBuilder::Zlib(rows);
    EXPECT_THROW(LoadPng(file(whole.left(whole.size() - 4))), EPNGMissingMultipleIDAT);
    EXPECT_THROW(LoadPng(file(whole.left(whole.size() - 1))), EPNGMissingMultipleIDAT);
    // Data past the last row.
    EXPECT_THROW(LoadPng(file(TPngBuilder::Zlib(rows + QByteArray(1, 0)))), EPNGZLIBError);
    // Not zlib at all, or a broken checksum.
    EXPECT_THROW(LoadPng(file(QByteArray(20, '\x55'))), EPNGZLIBError);
    QByteArray z = TPngBuilder::Zlib(rows);
    z[z.size() - 1] = char(z[z.size() - 1] ^ 1);
    EXPECT_THROW(LoadPng(file(z)), EPNGZLIBError);
    // A preset dictionary is not allowed in PNG.
    QByteArray dictionary("\x78\xBB\0\0\0\0", 6);
    EXPECT_THROW(LoadPng(file(dictionary)), EPNGZLIBError);
}

TEST(PngMalformed, DecompressionBombStopsAfterTheLastRow) {
    // 64 MB of zeros behind a 1 x 1 image: the extra data is refused as soon as it appears.
    const QByteArray bomb = DeflateBuffer(QByteArray(64 << 20, 0), 9);
    EXPECT_LT(bomb.size(), 100000);
    EXPECT_THROW(LoadPng(TPngBuilder().Header(1, 1, 8, 0).Chunk("IDAT", bomb).End().Bytes), EPNGZLIBError);
}

TEST(PngMalformed, RandomDamageNeverGoesUncaught) {
    std::mt19937 random(11);
    const std::vector<QByteArray> samples = Samples();
    for (int round = 0; round < 3000; ++round) {
        QByteArray bad = samples[size_t(round) % samples.size()];
        const int flips = 1 + int(random() % 4);
        for (int i = 0; i < flips; ++i)
            bad[int(random() % bad.size())] = char(random());
        try {
            auto png = LoadPng(bad);
            SavePng(*png);  // anything that loads also saves
        } catch (const EPngError&) {
        }
    }
}
