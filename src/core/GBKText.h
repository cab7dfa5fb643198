// Conversion between the program's Unicode text and the GBK bytes that the pinyin index and the
// password cipher work on.
#pragma once

#include <QByteArray>
#include <QString>

// The GBK bytes of a text. Characters that GBK lacks take their GB18030 form (GB18030 is GBK's
// superset), so no text is ever lost or merged with another.
QByteArray ToGBK(const QString& text);
// The text of GBK (or GB18030) bytes; a byte sequence that is not valid becomes U+FFFD.
QString FromGBK(const QByteArray& bytes);

// The GBK code of one UTF-16 unit: the byte value for ASCII, lead byte x 256 + trail byte for a
// two-byte character, 0 when GBK has no such character.
quint16 GBKCodeOf(char16_t ch);
