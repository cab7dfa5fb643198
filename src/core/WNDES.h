// The string cipher of stored passwords: DES (FIPS 46-3) in ECB mode over the text's GBK bytes,
// key and text filled up with zero bytes, the result written as upper-case hexadecimal text.
#pragma once

#include <QByteArray>
#include <QString>

// The one key the program enciphers passwords with.
inline const QString PasswordKey = QStringLiteral("mxqal");

// Enciphers `text` (which must not end with a zero byte) with the first 8 bytes of `key`.
QByteArray DesEncryptString(const QByteArray& text, const QByteArray& key);
// Deciphers every complete 8-byte block and removes the trailing zero bytes.
QByteArray DesDecryptString(const QByteArray& cipher, const QByteArray& key);

// The text's GBK bytes enciphered, two upper-case hex digits per byte.
QString DesEncryptToHex(const QString& text, const QString& key);
// The text back from its hex form; raises Exception "Error: not a Hex String" on a bad digit.
QString DesDecryptFromHex(const QString& hex, const QString& key);
// For a stored password: a cipher text that is not valid hex reads as the empty password.
QString DesDecryptFromHexOrEmpty(const QString& hex, const QString& key);

// One 8-byte block (first byte most significant) through DES with an 8-byte key.
quint64 DesCryptBlock(quint64 block, const QByteArray& key, bool decipher);

// The value of a text of hex digits (either case); empty gives 0. Raises on any other character.
int HexStrToInt(const QString& text);
