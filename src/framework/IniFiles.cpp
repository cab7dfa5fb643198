#include "IniFiles.h"

#include "FileReplace.h"
#include "SysUtils.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

QStringList ReadLines(const QString& fileName) {
    // A FIFO or a device is no settings file, and opening a FIFO would wait for its other end.
    if (!QFileInfo(fileName).isFile()) return {};
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

bool IsSectionLine(const QString& line, QString* name = nullptr) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return false;
    if (name) *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// The index of the key's line inside the section, and the section's header and end.
struct TLocation {
    int Header = -1, End = -1, Line = -1;
};

TLocation Locate(const QStringList& lines, const QString& section, const QString& key) {
    TLocation at;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (IsSectionLine(lines[i], &name)) {
            if (at.Header >= 0) {
                at.End = i;
                break;
            }
            if (name.compare(section, Qt::CaseInsensitive) == 0) at.Header = i;
            continue;
        }
        if (at.Header < 0 || at.Line >= 0) continue;
        const int eq = lines[i].indexOf(QLatin1Char('='));
        if (eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0) at.Line = i;
    }
    if (at.Header >= 0 && at.End < 0) at.End = lines.size();
    return at;
}

void SetEntry(QStringList& lines, const QString& section, const QString& key, const QString& value) {
    const TLocation at = Locate(lines, section, key);
    const QString entry = key + QLatin1Char('=') + value;
    if (at.Line >= 0) {
        lines[at.Line] = entry;
    } else if (at.Header >= 0) {
        int insertAt = at.End;
        while (insertAt > at.Header + 1 && lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QString();
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    }
}

}  // namespace

bool HasControlCharacter(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029) return true;
    }
    return false;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const QStringList lines = ReadLines(FFileName);
    const TLocation at = Locate(lines, section, key);
    if (at.Line < 0) return def;
    const QString& line = lines[at.Line];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    return StrToIntDef(ReadString(section, key, QString()), def);
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    WriteStrings(section, {{key, value}});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteStrings(const QString& section, const QList<QPair<QString, QString>>& entries) {
    const auto refuse = [&](const QString& what) {
        throw Exception(QStringLiteral("无法写入设置文件 %1：%2").arg(FFileName, what));
    };
    if (HasControlCharacter(section)) refuse(QStringLiteral("节名含有控制字符"));
    for (const auto& [key, value] : entries) {
        // A key must stay one key: no '=' or section bracket may start inside it.
        if (key.trimmed().isEmpty() || HasControlCharacter(key) || key.contains(QLatin1Char('=')) ||
            key.trimmed().startsWith(QLatin1Char('[')))
            refuse(QStringLiteral("键名“%1”无效").arg(key));
        if (HasControlCharacter(value)) refuse(QStringLiteral("“%1”的值含有换行符等控制字符").arg(key));
    }
    QStringList lines = ReadLines(FFileName);
    for (const auto& [key, value] : entries)
        SetEntry(lines, section, key, value);
    if (const int error =
            ReplaceFile(FFileName, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()))
        refuse(FileErrorReason(error));
}
