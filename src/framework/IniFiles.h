// Settings in a small UTF-8 ini file: [section] and key=value lines.
#pragma once

#include <QString>

// The program's one settings file, in its folder.
inline const QString SettingsFileName = QStringLiteral("UInfo.ini");

class TIniFile {
public:
    explicit TIniFile(const QString& fileName) : FFileName(fileName) {}
    const QString& FileName() const { return FFileName; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;  // a non-number gives def
    // Writes go to a temporary file that then replaces the old one, so a crash never leaves half a file.
    // A file that cannot be written raises Exception.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);

private:
    QString FFileName;
};
