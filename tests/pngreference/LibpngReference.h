// libpng as the reference codec for conformance tests and side-by-side benchmarks.
#pragma once

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

struct TReferenceImage {
    int Width = 0, Height = 0;
    int BytesPerSample = 1;          // 1, or 2 when 16-bit samples were kept
    std::vector<std::uint8_t> Rgba;  // 4 samples a pixel, rows top to bottom
    std::string Error;               // libpng's message when it rejected the file
    bool Ok() const { return Error.empty(); }
};

// Decodes to RGBA: palettes and low-bit grey expanded, grey copied to RGB, tRNS turned into alpha,
// 16-bit samples cut to their high byte unless keep16.
TReferenceImage DecodeWithLibpng(const QByteArray& file, bool keep16 = false);

// Decodes into the file's own row layout with no transforms (interlacing undone): the least work
// libpng can do to get at every sample. Returns false when libpng rejects the file.
bool DecodeRawWithLibpng(const QByteArray& file, std::vector<std::uint8_t>& rows);
// The same from a file, read through the C library's stream as libpng's own examples do.
bool DecodeFileWithLibpng(const char* path, std::vector<std::uint8_t>& rows);

struct TReferenceEncoding {
    int Level = 7;
    int Filters = -1;             // a PNG_FILTER_ set; -1 keeps libpng's adaptive choice
    bool DefaultStrategy = true;  // zlib's default strategy (libpng would pick Z_FILTERED)
};

// Encodes PNG rows as they stand (packed samples, big-endian 16-bit, no filter byte).
QByteArray EncodeWithLibpng(int width, int height, int colorType, int bitDepth, bool interlaced,
                            const std::vector<std::uint8_t>& rows,
                            const std::vector<std::uint8_t>& palette = {},
                            const std::vector<std::uint8_t>& trns = {},
                            const TReferenceEncoding& options = {});
