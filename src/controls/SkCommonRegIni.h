// The common unit's settings store: named values in sections, kept either in an ini file or in the
// platform's registry file, chosen by its published properties.
#pragma once

#include "Classes.h"

#include <cstdint>
#include <memory>

class TIniFile;
class TRegIniFile;

enum TSkPathType { ptIniFile, ptRegistry };
enum TSkRegKey {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TSkRegAccessKey {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
// A set of TSkRegAccessKey: bit n stands for value n.
using TSkRegAccess = std::uint16_t;
constexpr TSkRegAccess RegAccessBit(TSkRegAccessKey Key) {
    return TSkRegAccess(1u << Key);
}
enum TSkSpecialFolder { sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData };
// Every encoding is written as UTF-8; the value is kept for forms that name another.
enum TSkIniFileEncoding { feDefault, feUTF8, feUnicode };

// With ptIniFile, Path names the ini file: a relative path lies in SpecialFolder (the program's folder
// for sfNone), an empty one is the program's name with ".ini". With ptRegistry, Path is the key below
// RegKey in the platform's registry file, and RegAccess rules what may be done: reading needs
// keyQueryValue, keyRead, keyExecute or keyAllAccess (without, the defaults come back), writing
// keySetValue, keyWrite or keyAllAccess (without, an Exception).
class TSkRegIniFile : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TSkIniFileEncoding FileEncoding READ FileEncoding WRITE SetFileEncoding)
    Q_PROPERTY(QString Path READ Path WRITE SetPath)
    Q_PROPERTY(TSkPathType PathType READ PathType WRITE SetPathType)
    Q_PROPERTY(TSkRegKey RegKey READ RegKey WRITE SetRegKey)
    Q_PROPERTY(TSkRegAccess RegAccess READ RegAccess WRITE SetRegAccess)
    Q_PROPERTY(TSkSpecialFolder SpecialFolder READ SpecialFolder WRITE SetSpecialFolder)
    Q_CLASSINFO("FileEncoding", "= feDefault")
    Q_CLASSINFO("PathType", "= ptIniFile")
    Q_CLASSINFO("RegKey", "= hkeyCurrentUser")
    Q_CLASSINFO("RegAccess", "TSkRegAccess = [keyAllAccess]")
    Q_CLASSINFO("SpecialFolder", "= sfNone")
public:
    explicit TSkRegIniFile(TComponent* AOwner);
    ~TSkRegIniFile() override;

    TSkIniFileEncoding FileEncoding() const { return FFileEncoding; }
    void SetFileEncoding(TSkIniFileEncoding Value);
    QString Path() const { return FPath; }
    void SetPath(const QString& Value);
    TSkPathType PathType() const { return FPathType; }
    void SetPathType(TSkPathType Value);
    TSkRegKey RegKey() const { return FRegKey; }
    void SetRegKey(TSkRegKey Value);
    TSkRegAccess RegAccess() const { return FRegAccess; }
    void SetRegAccess(TSkRegAccess Value);
    TSkSpecialFolder SpecialFolder() const { return FSpecialFolder; }
    void SetSpecialFolder(TSkSpecialFolder Value);

    // The ini file behind ptIniFile.
    QString FileName() const;

    QString ReadString(const QString& Section, const QString& Ident, const QString& Default);
    int ReadInteger(const QString& Section, const QString& Ident, int Default);
    bool ReadBool(const QString& Section, const QString& Ident, bool Default);
    // Writes raise Exception when the value cannot be stored.
    void WriteString(const QString& Section, const QString& Ident, const QString& Value);
    void WriteInteger(const QString& Section, const QString& Ident, int Value);
    void WriteBool(const QString& Section, const QString& Ident, bool Value);

private:
    // Makes the ini-file or registry object again after a change of the properties.
    void Prepare();
    bool MayRead() const;
    TSkIniFileEncoding FFileEncoding = feDefault;
    QString FPath;
    TSkPathType FPathType = ptIniFile;
    TSkRegKey FRegKey = hkeyCurrentUser;
    TSkRegAccess FRegAccess = RegAccessBit(keyAllAccess);
    TSkSpecialFolder FSpecialFolder = sfNone;
    bool FRemake = true;  // every setter sets it on a change
    std::unique_ptr<TIniFile> FIniFile;
    std::unique_ptr<TRegIniFile> FRegistry;
};
