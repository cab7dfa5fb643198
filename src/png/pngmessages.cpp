#include "pngmessages.h"

const QString EPngInvalidCRCText = QStringLiteral("This \"Portable Network Graphics\" image is not valid "
                                                  "because it contains invalid pieces of data (crc error)");
const QString EPngInvalidIHDRText = QStringLiteral(
    "The \"Portable Network Graphics\" image could not be loaded because one of its main piece of "
    "data (ihdr) might be corrupted");
const QString EPNGMissingMultipleIDATText =
    QStringLiteral("This \"Portable Network Graphics\" image is invalid because it has missing image parts.");
const QString EPNGZLIBErrorText =
    QStringLiteral("Could not decompress the image because it contains invalid compressed data.");
const QString EPNGInvalidPaletteText =
    QStringLiteral("The \"Portable Network Graphics\" image contains an invalid palette.");
const QString EPNGInvalidFileHeaderText = QStringLiteral(
    "The file being readed is not a valid \"Portable Network Graphics\" image because it contains "
    "an invalid header. This file may be corruped, try obtaining it again.");
const QString EPNGIHDRNotFirstText =
    QStringLiteral("This \"Portable Network Graphics\" image is not supported or it might be invalid.\r\n"
                   "(IHDR chunk is not the first)");
const QString EPNGSizeExceedsText = QStringLiteral(
    "This \"Portable Network Graphics\" image is not supported because either it's width or height "
    "exceeds the maximum size, which is 65535 pixels length.");
const QString EPNGNoPaletteEntryText = QStringLiteral("There is no such palette entry.");
const QString EPNGUnknownCriticalChunkText = QStringLiteral(
    "This \"Portable Network Graphics\" image contains an unknown critical part which could not be "
    "decoded.");
const QString EPNGUnknownCompressionText = QStringLiteral(
    "This \"Portable Network Graphics\" image is encoded with an unknown compression scheme which "
    "could not be decoded.");
const QString EPNGUnknownInterlaceText = QStringLiteral(
    "This \"Portable Network Graphics\" image uses an unknown interlace scheme which could not be "
    "decoded.");
const QString EPNGCannotAssignChunkText = QStringLiteral("The chunks must be compatible to be assigned.");
const QString EPNGUnexpectedEndText = QStringLiteral(
    "This \"Portable Network Graphics\" image is invalid because the decoder found an unexpected end "
    "of the file.");
const QString EPNGNoImageDataText =
    QStringLiteral("This \"Portable Network Graphics\" image contains no data.");
const QString EPNGOutMemoryText =
    QStringLiteral("Some operation could not be performed because the system is out of resources. Close some "
                   "windows and try again.");
const QString EPNGHeaderNotPresentText =
    QStringLiteral("This operation is not valid because the current image contains no valid header.");
const QString EPNGInvalidNewSizeText = QStringLiteral("The new size provided for image resizing is invalid.");

QString ZLibErrorText(int code) {
    switch (code) {
    case -6:
        return QStringLiteral("incompatible version (-6)");
    case -5:
        return QStringLiteral("buffer error (-5)");
    case -4:
        return QStringLiteral("insufficient memory (-4)");
    case -3:
        return QStringLiteral("data error (-3)");
    case -2:
        return QStringLiteral("stream error (-2)");
    case -1:
        return QStringLiteral("file error (-1)");
    case 0:
        return QStringLiteral("(0)");
    case 1:
        return QStringLiteral("stream end (1)");
    case 2:
        return QStringLiteral("need dictionary (2)");
    default:
        return QStringLiteral("(%1)").arg(code);
    }
}
