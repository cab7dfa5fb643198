// The current user's "registry": keys and values kept in one INI file in the user's configuration
// folder, one section per key ("Software\Microsoft\...\ThemeManager"). Absent values give the
// caller's defaults, so a desktop without the file reads as a fresh one.
#pragma once

#include <QByteArray>
#include <QString>

class TRegIniFile {
public:
    // `key` is the key the sections lie under, with or without a leading backslash, below the root
    // key `rootKey` ("HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE" ...).
    explicit TRegIniFile(const QString& key, const QString& rootKey = QStringLiteral("HKEY_CURRENT_USER"));

    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    // A binary value (stored as hexadecimal text); empty when absent or unreadable.
    QByteArray ReadBinaryData(const QString& section, const QString& ident) const;
    void WriteString(const QString& section, const QString& ident, const QString& value);
    void WriteBinaryData(const QString& section, const QString& ident, const QByteArray& value);

    // The file behind every key; tests point it elsewhere (an empty name restores the default).
    static QString FileName();
    static void SetFileName(const QString& fileName);

private:
    QString SectionOf(const QString& section) const;
    QString FKey;
    QString FRootKey;
};
