#include "SkCommonRegIni.h"

#include "IniFiles.h"
#include "Registry.h"
#include "SkCommonFraming.h"
#include "SysUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const char* const RootKeyNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
                                    "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                                    "HKEY_DYN_DATA"};

QString FolderOf(TSkSpecialFolder folder) {
    switch (folder) {
    case sfUserAppDataRoaming:
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    case sfUserAppDataLocal:
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    case sfUserDocuments:
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    case sfProgramData:
        return QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation).last();
    default:
        return QCoreApplication::applicationDirPath();
    }
}

struct TRegIniTypes {
    TRegIniTypes() { RegisterSkCommonTypes(); }
};
const TRegIniTypes RegIniTypes;
}  // namespace

TSkRegIniFile::TSkRegIniFile(TComponent* AOwner) : TComponent(AOwner) {}

TSkRegIniFile::~TSkRegIniFile() = default;

void TSkRegIniFile::SetFileEncoding(TSkIniFileEncoding Value) {
    FRemake |= StoreChanged(FFileEncoding, Value);
}

void TSkRegIniFile::SetPath(const QString& Value) {
    FRemake |= StoreChanged(FPath, Value);
}

void TSkRegIniFile::SetPathType(TSkPathType Value) {
    FRemake |= StoreChanged(FPathType, Value);
}

void TSkRegIniFile::SetRegKey(TSkRegKey Value) {
    FRemake |= StoreChanged(FRegKey, Value);
}

void TSkRegIniFile::SetRegAccess(TSkRegAccess Value) {
    FRemake |= StoreChanged(FRegAccess, Value);
}

void TSkRegIniFile::SetSpecialFolder(TSkSpecialFolder Value) {
    FRemake |= StoreChanged(FSpecialFolder, Value);
}

QString TSkRegIniFile::FileName() const {
    QString path = FPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty())
        path = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".ini");
    if (QDir::isAbsolutePath(path)) return QDir::cleanPath(path);
    return QDir::cleanPath(FolderOf(FSpecialFolder) + QLatin1Char('/') + path);
}

void TSkRegIniFile::Prepare() {
    if (!FRemake) return;
    FIniFile.reset();
    FRegistry.reset();
    if (FPathType == ptIniFile)
        FIniFile = std::make_unique<TIniFile>(FileName());
    else
        FRegistry = std::make_unique<TRegIniFile>(FPath, QString::fromLatin1(RootKeyNames[FRegKey]));
    FRemake = false;
}

bool TSkRegIniFile::MayRead() const {
    return FPathType == ptIniFile || (FRegAccess & (RegAccessBit(keyQueryValue) | RegAccessBit(keyRead) |
                                                    RegAccessBit(keyExecute) | RegAccessBit(keyAllAccess)));
}

QString TSkRegIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) {
    if (!MayRead()) return Default;
    Prepare();
    return FIniFile ? FIniFile->ReadString(Section, Ident, Default)
                    : FRegistry->ReadString(Section, Ident, Default);
}

int TSkRegIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) {
    if (!MayRead()) return Default;
    Prepare();
    return FIniFile ? FIniFile->ReadInteger(Section, Ident, Default)
                    : FRegistry->ReadInteger(Section, Ident, Default);
}

bool TSkRegIniFile::ReadBool(const QString& Section, const QString& Ident, bool Default) {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TSkRegIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value) {
    Prepare();
    if (FIniFile) {
        QDir().mkpath(QFileInfo(FIniFile->FileName()).absolutePath());
        FIniFile->WriteString(Section, Ident, Value);
        return;
    }
    if (!(FRegAccess & (RegAccessBit(keySetValue) | RegAccessBit(keyWrite) | RegAccessBit(keyAllAccess))))
        throw Exception(QStringLiteral("无法写入设置“%1”：该键只允许读取").arg(Ident));
    FRegistry->WriteString(Section, Ident, Value);
}

void TSkRegIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value) {
    WriteString(Section, Ident, QString::number(Value));
}

void TSkRegIniFile::WriteBool(const QString& Section, const QString& Ident, bool Value) {
    WriteInteger(Section, Ident, Value ? 1 : 0);
}
