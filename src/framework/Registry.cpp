#include "Registry.h"

#include "IniFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString& OverrideName() {
    static QString name;
    return name;
}

QString Trimmed(QString path) {
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path;
}
}  // namespace

TRegIniFile::TRegIniFile(const QString& key, const QString& rootKey)
    : FKey(Trimmed(key)), FRootKey(rootKey) {}

QString TRegIniFile::FileName() {
    if (!OverrideName().isEmpty()) return OverrideName();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(folder).filePath(QStringLiteral("veloria/desktop.ini"));
}

void TRegIniFile::SetFileName(const QString& fileName) {
    OverrideName() = fileName;
}

QString TRegIniFile::SectionOf(const QString& section) const {
    const QString sub = Trimmed(section);
    return FRootKey + QLatin1Char('\\') + FKey + (sub.isEmpty() ? QString() : QStringLiteral("\\") + sub);
}

QString TRegIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const {
    return TIniFile(FileName()).ReadString(SectionOf(section), ident, def);
}

int TRegIniFile::ReadInteger(const QString& section, const QString& ident, int def) const {
    return TIniFile(FileName()).ReadInteger(SectionOf(section), ident, def);
}

QByteArray TRegIniFile::ReadBinaryData(const QString& section, const QString& ident) const {
    const QString hex = ReadString(section, ident, QString()).remove(QLatin1Char(' '));
    if (hex.size() % 2 != 0) return {};
    for (QChar c : hex)
        if (!c.isDigit() && !QStringLiteral("abcdefABCDEF").contains(c)) return {};
    return QByteArray::fromHex(hex.toLatin1());
}

void TRegIniFile::WriteString(const QString& section, const QString& ident, const QString& value) {
    QDir().mkpath(QFileInfo(FileName()).absolutePath());
    TIniFile(FileName()).WriteString(SectionOf(section), ident, value);
}

void TRegIniFile::WriteBinaryData(const QString& section, const QString& ident, const QByteArray& value) {
    WriteString(section, ident, QString::fromLatin1(value.toHex()));
}
