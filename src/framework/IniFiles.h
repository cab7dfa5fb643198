// Settings in a small UTF-8 ini file: [section] and key=value lines.
#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The program's one settings file, in its folder.
inline const QString SettingsFileName = QStringLiteral("UInfo.ini");

class TIniFile {
public:
    explicit TIniFile(const QString& fileName) : FFileName(fileName) {}
    const QString& FileName() const { return FFileName; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    int ReadInteger(const QString& section, const QString& key, int def) const;  // a non-number gives def
    // Writes go to a temporary file that is written, flushed and synced in full before it replaces the
    // old one, so a crash or a full disk never leaves half a file: a write that fails raises Exception
    // and the old file stays as it was. A section, key or value holding a control character (a line
    // break would start new keys or sections) raises Exception and writes nothing.
    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    // Several keys of one section in one write: all of them are stored or none.
    void WriteStrings(const QString& section, const QList<QPair<QString, QString>>& entries);

private:
    QString FFileName;
};

// Whether a text holds a control character (U+0000..U+001F, U+007F..U+009F, the line and paragraph
// separators): such a text cannot stand as one value of one line.
bool HasControlCharacter(const QString& text);
