// Pinyin initials: every Chinese character of a name becomes the upper-case initial of its reading,
// so that typing "xm" finds "小麦". Other characters pass unchanged.
#pragma once

#include <QByteArray>
#include <QString>

// The initials text of `text`; a Chinese character with no known initial (or a character that GBK
// lacks) gives `def`.
QString GetPYInitials(const QString& text, const QString& def = QString());

// The same over GBK bytes: a byte above 0x80 starts a two-byte character, any other byte is copied.
// A lead byte at the very end is taken with a trail byte of 0.
QByteArray GetPYInitialsGBK(const QByteArray& gbk, const QByteArray& def = QByteArray());

// One two-byte GBK character (lead byte, trail byte): by code range, else by the letter table,
// else `def`.
QByteArray GetPYChar(const QByteArray& ch, const QByteArray& def);
// The initial of a GB2312 level-1 character from its code range, else empty.
QByteArray GetPYCharByRange(const QByteArray& ch);
// The initial from the letter table (the first row that lists the character), else empty.
QByteArray GetPYCharByTable(const QByteArray& ch);
