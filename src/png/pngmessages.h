// The PNG codec's errors and their messages.
#pragma once

#include "SysUtils.h"

#include <QString>

extern const QString EPngInvalidCRCText;
extern const QString EPngInvalidIHDRText;
extern const QString EPNGMissingMultipleIDATText;
extern const QString EPNGZLIBErrorText;
extern const QString EPNGInvalidPaletteText;
extern const QString EPNGInvalidFileHeaderText;
extern const QString EPNGIHDRNotFirstText;
extern const QString EPNGSizeExceedsText;
extern const QString EPNGNoPaletteEntryText;
extern const QString EPNGUnknownCriticalChunkText;
extern const QString EPNGUnknownCompressionText;
extern const QString EPNGUnknownInterlaceText;
extern const QString EPNGCannotAssignChunkText;
extern const QString EPNGUnexpectedEndText;
extern const QString EPNGNoImageDataText;
extern const QString EPNGOutMemoryText;
extern const QString EPNGHeaderNotPresentText;
extern const QString EPNGInvalidNewSizeText;

// zlib's result code as the text shown after " Description: ".
QString ZLibErrorText(int code);

// Every codec error is an EPngError.
class EPngError : public Exception {
public:
    using Exception::Exception;
};

#define VELORIA_PNG_ERROR(Name, Text)                                                                        \
    class Name : public EPngError {                                                                          \
    public:                                                                                                  \
        Name() : EPngError(Text) {}                                                                          \
        explicit Name(const QString& message) : EPngError(message) {}                                        \
    };

VELORIA_PNG_ERROR(EPngInvalidCRC, EPngInvalidCRCText)
VELORIA_PNG_ERROR(EPngInvalidIHDR, EPngInvalidIHDRText)
VELORIA_PNG_ERROR(EPNGMissingMultipleIDAT, EPNGMissingMultipleIDATText)
VELORIA_PNG_ERROR(EPNGInvalidPalette, EPNGInvalidPaletteText)
VELORIA_PNG_ERROR(EPNGInvalidFileHeader, EPNGInvalidFileHeaderText)
VELORIA_PNG_ERROR(EPNGIHDRNotFirst, EPNGIHDRNotFirstText)
VELORIA_PNG_ERROR(EPNGSizeExceeds, EPNGSizeExceedsText)
VELORIA_PNG_ERROR(EPNGUnknownCriticalChunk, EPNGUnknownCriticalChunkText)
VELORIA_PNG_ERROR(EPNGUnknownCompression, EPNGUnknownCompressionText)
VELORIA_PNG_ERROR(EPNGUnknownInterlace, EPNGUnknownInterlaceText)
VELORIA_PNG_ERROR(EPngUnexpectedEnd, EPNGUnexpectedEndText)
VELORIA_PNG_ERROR(EPNGNoImageData, EPNGNoImageDataText)
VELORIA_PNG_ERROR(EPNGOutMemory, EPNGOutMemoryText)
VELORIA_PNG_ERROR(EPNGHeaderNotPresent, EPNGHeaderNotPresentText)
VELORIA_PNG_ERROR(EPNGInvalidNewSize, EPNGInvalidNewSizeText)
#undef VELORIA_PNG_ERROR

// Compressed data that zlib rejects, with zlib's description.
class EPNGZLIBError : public EPngError {
public:
    explicit EPNGZLIBError(const QString& description)
        : EPngError(EPNGZLIBErrorText + QStringLiteral("\r\n Description: ") + description) {}
};

// Raises exception class E with its own message, or with the one given.
template <class E> [[noreturn]] void RaisePngError() {
    throw E();
}
template <class E> [[noreturn]] void RaisePngError(const QString& message) {
    throw E(message);
}
