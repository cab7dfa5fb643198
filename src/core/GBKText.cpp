#include "GBKText.h"

#include <cerrno>
#include <QStringList>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace {

constexpr char16_t EuroSign = 0x20AC;

// One glibc conversion descriptor; a new one per conversion keeps the functions re-entrant.
class TIconv {
public:
    TIconv(const char* to, const char* from) : FHandle(iconv_open(to, from)) {
        if (FHandle == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~TIconv() { iconv_close(FHandle); }
    TIconv(const TIconv&) = delete;
    TIconv& operator=(const TIconv&) = delete;

    // Converts all of `in`; an invalid or cut-off input sequence gives `replacement` and
    // the conversion resumes one byte further on.
    QByteArray Convert(const QByteArray& in, const QByteArray& replacement) {
        QByteArray out;
        std::vector<char> buffer(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = size_t(in.size());
        while (true) {
            char* dst = buffer.data();
            size_t dstLeft = buffer.size();
            const size_t rc = iconv(FHandle, srcLeft ? &src : nullptr, &srcLeft, &dst, &dstLeft);
            out.append(buffer.data(), qsizetype(buffer.size() - dstLeft));
            if (rc != size_t(-1)) {
                if (srcLeft == 0) break;
                continue;
            }
            if (errno == E2BIG) continue;
            out.append(replacement);  // EILSEQ or EINVAL: skip the offending byte
            ++src;
            --srcLeft;
            if (srcLeft == 0) break;
        }
        return out;
    }

    // Converts one short input; false when it is not a valid sequence.
    bool ConvertOne(const char* in, size_t inLen, char* out, size_t& outLen) {
        iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        char* dst = out;
        size_t dstLeft = outLen;
        if (iconv(FHandle, &src, &inLen, &dst, &dstLeft) == size_t(-1) || inLen != 0) return false;
        outLen -= dstLeft;
        return true;
    }

private:
    iconv_t FHandle;
};

// Every UTF-16 unit's GBK code, built once from glibc's GBK table (the lowest code wins where
// GBK gives one character two codes).
const std::vector<quint16>& UnicodeToGBKTable() {
    static const std::vector<quint16> table = [] {
        std::vector<quint16> t(0x10000, 0);
        for (int c = 0; c < 0x80; ++c) t[c] = quint16(c);
        TIconv conv("UTF-16LE", "GBK");
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                const char in[2] = {char(lead), char(trail)};
                char out[8];
                size_t outLen = sizeof out;
                if (!conv.ConvertOne(in, 2, out, outLen) || outLen != 2) continue;
                const char16_t u = char16_t(quint8(out[0]) | (quint8(out[1]) << 8));
                if (t[u] == 0) t[u] = quint16(lead << 8 | trail);
            }
        t[EuroSign] = 0x80;  // code page 936's one-byte euro sign
        return t;
    }();
    return table;
}

}  // namespace

// Code page 936 writes the euro sign as the one byte 0x80, where GB18030 has a two-byte code: the
// conversions put it in by hand around iconv's runs.
QByteArray ToGBK(const QString& text) {
    TIconv conv("GB18030", "UTF-8");
    QByteArray out;
    const QStringList runs = text.split(QChar(EuroSign));
    for (qsizetype i = 0; i < runs.size(); ++i) {
        if (i > 0) out.append('\x80');
        out.append(conv.Convert(runs[i].toUtf8(), QByteArrayLiteral("?")));
    }
    return out;
}

QString FromGBK(const QByteArray& bytes) {
    TIconv conv("UTF-8", "GB18030");
    auto convert = [&](qsizetype from, qsizetype to) {
        return QString::fromUtf8(conv.Convert(bytes.mid(from, to - from), QByteArrayLiteral("\xEF\xBF\xBD")));
    };
    QString out;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const quint8 b = quint8(bytes[i]);
        if (b == 0x80) {  // only where a character starts: inside a two-byte character it is a trail byte
            out += convert(runStart, i) + QChar(EuroSign);
            runStart = ++i;
        } else if (b < 0x80 || b == 0xFF) {
            ++i;
        } else {
            const bool fourBytes =
                i + 1 < bytes.size() && quint8(bytes[i + 1]) >= 0x30 && quint8(bytes[i + 1]) <= 0x39;
            i += fourBytes ? 4 : 2;
        }
    }
    return out + convert(runStart, bytes.size());
}

quint16 GBKCodeOf(char16_t ch) { return UnicodeToGBKTable()[ch]; }
