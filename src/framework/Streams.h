// Byte streams: the abstract stream, one in memory and one over a file (or a Qt resource ":/...").
#pragma once

#include "Classes.h"
#include "SysUtils.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Reads up to count bytes; returns how many were read (fewer only at the end).
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Returns the new position.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    // All count bytes or EReadError / EWriteError.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source (0: all of source from its start); returns the bytes copied.
    std::int64_t CopyFrom(TStream* source, std::int64_t count);
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return FData.size(); }
    void SetSize(std::int64_t size) override;

    void Clear();
    const char* Memory() const { return FData.constData(); }
    char* Memory() { return FData.data(); }
    const QByteArray& Bytes() const { return FData; }
    void SetBytes(const QByteArray& bytes);  // replaces the content; the position goes to 0

    void LoadFromStream(TStream* stream);
    void SaveToStream(TStream* stream);
    void LoadFromFile(const QString& fileName);  // EFOpenError when it cannot be read
    // Written whole or not at all (FileReplace.h): EFCreateError when it cannot be written, and the
    // old file stays as it was.
    void SaveToFile(const QString& fileName);

private:
    QByteArray FData;
    std::int64_t FPosition = 0;
};

enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareDenyWrite = 0x0020,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class QFile;

// A file opened for the stream's lifetime; names starting with ":/" read the program's resources.
class TFileStream : public TStream {
public:
    TFileStream(const QString& fileName, unsigned mode);  // EFOpenError / EFCreateError
    ~TFileStream() override;
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;
    void SetSize(std::int64_t size) override;
    QString FileName() const { return FFileName; }

private:
    QString FFileName;
    std::unique_ptr<QFile> FFile;
};
