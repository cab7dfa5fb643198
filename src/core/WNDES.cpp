#include "WNDES.h"

#include "GBKText.h"
#include "SysUtils.h"

#include <array>
#include <cstdint>

namespace {

// The tables of the standard; bit 1 is the most significant bit of a block's first byte.
constexpr std::array<uint8_t, 64> InitialPermutation{
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4, 62, 54, 46, 38, 30, 22,
    14, 6,  64, 56, 48, 40, 32, 24, 16, 8, 57, 49, 41, 33, 25, 17, 9,  1,  59, 51, 43, 35,
    27, 19, 11, 3,  61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};
constexpr std::array<uint8_t, 64> FinalPermutation{
    40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31, 38, 6, 46, 14, 54, 22,
    62, 30, 37, 5, 45, 13, 53, 21, 61, 29, 36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11,
    51, 19, 59, 27, 34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9, 49, 17, 57, 25};
constexpr std::array<uint8_t, 48> Expansion{32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
                                            12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
                                            22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};
constexpr std::array<uint8_t, 32> PermutationP{16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                               2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};
constexpr std::array<uint8_t, 56> PermutedChoice1{
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};
constexpr std::array<uint8_t, 48> PermutedChoice2{14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                                                  26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                                                  51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};
constexpr std::array<uint8_t, 16> KeyShifts{1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};
constexpr uint8_t SBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0, 7, 0, 15, 7,  4,  14, 2,  13, 1,  10, 6, 12, 11,
     9,  5,  3,  8, 4,  1,  14, 8,  13, 6,  2,  11, 15, 12, 9, 7, 3, 10, 5,  0,  15, 12, 8,  2,  4,  9, 1,  7,
     5,  11, 3,  14, 10, 0, 6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4,  9,  7,  2, 13, 12, 0, 5,  10, 3,  13, 4,  7,  15, 2,  8,  14, 12, 0, 1,  10,
     6,  9,  11, 5,  0,  14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6, 9, 3,  2,  15, 13, 8,  10, 1,  3,  15, 4, 2,
     11, 6,  7,  12, 0, 5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7,  11, 4,  2, 8,  13, 7, 0,  9,  3,  4,  6,  10, 2,  8, 5,  14,
     12, 11, 15, 1,  13, 6,  4,  9,  8,  15, 3,  0, 11, 1,  2,  12, 5,  10, 14, 7,  1,  10, 13, 0,  6, 9,  8,
     7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3,  0,  6,  9,  10, 1,  2,  8, 5,  11, 12, 4,  15, 13, 8,  11, 5,  6,  15, 0,  3,  4, 7, 2,  12,
     1,  10, 14, 9,  10, 6,  9,  0,  12, 11, 7, 13, 15, 1,  3,  14, 5,  2,  8,  4,  3,  15, 0,  6,  10, 1, 13, 8,
     9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8,  5,  3,  15, 13, 0,  14, 9,  14, 11, 2,  12, 4, 7,  13, 1,  5,  0,  15, 10,
     3,  9,  8,  6,  4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,  6,  3,  0,  14, 11, 8, 12, 7,  1,  14, 2,  13,
     6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6,  8,  0,  13, 3,  4,  14, 7,  5,  11, 10, 15, 4,  2,  7,  12, 9,  5,  6,  1, 13, 14,
     0,  11, 3,  8,  9,  14, 15, 5,  2,  8,  12, 3,  7,  0,  4,  10, 1,  13, 11, 6,  4,  3,  2,  12, 9,  5, 15, 10,
     11, 14, 1,  7,  6,  0,  8,  13},
    {4,  11, 2,  14, 15, 0,  8,  13, 3,  12, 9,  7,  5,  10, 6,  1,  13, 0,  11, 7,  4, 9,  1,  10, 14, 3, 5,  12,
     2,  15, 8,  6,  1,  4,  11, 13, 12, 3,  7,  14, 10, 15, 6,  8,  0,  5,  9,  2,  6,  11, 13, 8, 1,  4, 10, 7,
     9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2,  8,  4,  6,  15, 11, 1,  10, 9,  3,  14, 5, 0,  12, 7,  1,  15, 13, 8,  10, 3,  7,  4,  12, 5, 6,  11,
     0,  14, 9,  2,  7,  11, 4,  1,  9,  12, 14, 2,  0, 6,  10, 13, 15, 3,  5,  8,  2,  1,  14, 7,  4,  10, 8, 13,
     15, 12, 9,  0,  3,  5,  6,  11},
};

// Output bit i (from the most significant) is input bit table[i] of an `inBits`-wide value.
template <size_t N>
uint64_t Permute(uint64_t in, const std::array<uint8_t, N>& table, int inBits) {
    uint64_t out = 0;
    for (uint8_t pos : table) out = (out << 1) | ((in >> (inBits - pos)) & 1);
    return out;
}

using TRoundKeys = std::array<uint64_t, 16>;

TRoundKeys MakeRoundKeys(const QByteArray& key) {
    uint64_t k = 0;
    for (int i = 0; i < 8; ++i) k = (k << 8) | (i < key.size() ? quint8(key[i]) : 0);
    const uint64_t cd = Permute(k, PermutedChoice1, 64);
    uint32_t c = uint32_t(cd >> 28) & 0x0FFFFFFF, d = uint32_t(cd) & 0x0FFFFFFF;
    TRoundKeys keys{};
    for (int round = 0; round < 16; ++round) {
        for (int s = 0; s < KeyShifts[round]; ++s) {
            c = ((c << 1) | (c >> 27)) & 0x0FFFFFFF;
            d = ((d << 1) | (d >> 27)) & 0x0FFFFFFF;
        }
        keys[round] = Permute((uint64_t(c) << 28) | d, PermutedChoice2, 56);
    }
    return keys;
}

uint32_t Feistel(uint32_t right, uint64_t roundKey) {
    const uint64_t x = Permute(right, Expansion, 32) ^ roundKey;
    uint32_t s = 0;
    for (int box = 0; box < 8; ++box) {
        const unsigned six = unsigned(x >> (42 - 6 * box)) & 0x3F;
        const unsigned row = ((six & 0x20) >> 4) | (six & 1), column = (six >> 1) & 0x0F;
        s = (s << 4) | SBoxes[box][row * 16 + column];
    }
    return uint32_t(Permute(s, PermutationP, 32));
}

uint64_t CryptBlock(uint64_t block, const TRoundKeys& keys, bool decipher) {
    const uint64_t ip = Permute(block, InitialPermutation, 64);
    uint32_t left = uint32_t(ip >> 32), right = uint32_t(ip);
    for (int round = 0; round < 16; ++round) {
        const uint32_t next = left ^ Feistel(right, keys[decipher ? 15 - round : round]);
        left = right;
        right = next;
    }
    return Permute((uint64_t(right) << 32) | left, FinalPermutation, 64);
}

// Every complete 8-byte block of `in` through the cipher; the rest is left out.
QByteArray CryptBlocks(const QByteArray& in, const QByteArray& key, bool decipher) {
    const TRoundKeys keys = MakeRoundKeys(key);
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype at = 0; at + 8 <= in.size(); at += 8) {
        uint64_t block = 0;
        for (int i = 0; i < 8; ++i) block = (block << 8) | quint8(in[at + i]);
        block = CryptBlock(block, keys, decipher);
        for (int i = 7; i >= 0; --i) out.append(char(block >> (8 * i)));
    }
    return out;
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    throw Exception(QStringLiteral("Error: not a Hex String"));
}

}  // namespace

quint64 DesCryptBlock(quint64 block, const QByteArray& key, bool decipher) {
    return CryptBlock(block, MakeRoundKeys(key), decipher);
}

QByteArray DesEncryptString(const QByteArray& text, const QByteArray& key) {
    if (!text.isEmpty() && text.back() == '\0') throw Exception(QStringLiteral("Error: the last char is NULL char."));
    QByteArray padded = text;
    if (padded.size() % 8) padded.append(8 - padded.size() % 8, '\0');
    return CryptBlocks(padded, key, false);
}

QByteArray DesDecryptString(const QByteArray& cipher, const QByteArray& key) {
    QByteArray plain = CryptBlocks(cipher, key, true);
    while (!plain.isEmpty() && plain.back() == '\0') plain.chop(1);
    return plain;
}

QString DesEncryptToHex(const QString& text, const QString& key) {
    return QString::fromLatin1(DesEncryptString(ToGBK(text), ToGBK(key)).toHex().toUpper());
}

QString DesDecryptFromHex(const QString& hex, const QString& key) {
    QByteArray cipher;
    cipher.reserve(hex.size() / 2);
    for (qsizetype i = 0; i + 1 < hex.size(); i += 2) cipher.append(char(HexStrToInt(hex.mid(i, 2))));
    return FromGBK(DesDecryptString(cipher, ToGBK(key)));
}

QString DesDecryptFromHexOrEmpty(const QString& hex, const QString& key) {
    try {
        return DesDecryptFromHex(hex, key);
    } catch (const Exception&) {
        return QString();
    }
}

int HexStrToInt(const QString& text) {
    unsigned value = 0;
    for (QChar c : text) value = value * 16 + unsigned(HexDigit(c));
    return int(value);
}
