#include "Streams.h"

#include "FileReplace.h"

#include <QFile>
#include <algorithm>
#include <cstring>

// TStream ---------------------------------------------------------------------------------------
std::int64_t TStream::Size() {
    const std::int64_t here = Seek(0, soCurrent);
    const std::int64_t end = Seek(0, soEnd);
    Seek(here, soBeginning);
    return end;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count < 0 || Read(buffer, count) != count) throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count < 0 || Write(buffer, count) != count) throw EWriteError(QStringLiteral("Stream write error"));
}

std::int64_t TStream::CopyFrom(TStream* source, std::int64_t count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    char buffer[65536];
    std::int64_t left = count;
    while (left > 0) {
        const std::int64_t n = std::min<std::int64_t>(left, sizeof buffer);
        source->ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        left -= n;
    }
    return count;
}

// TMemoryStream ---------------------------------------------------------------------------------
std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0 || FPosition >= FData.size()) return 0;
    const std::int64_t n = std::min<std::int64_t>(count, FData.size() - FPosition);
    std::memcpy(buffer, FData.constData() + FPosition, size_t(n));
    FPosition += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    const std::int64_t end = FPosition + count;
    if (end > FData.size()) FData.resize(end);
    std::memcpy(FData.data() + FPosition, buffer, size_t(count));
    FPosition = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FPosition : FData.size();
    FPosition = std::max<std::int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(std::int64_t size) {
    FData.resize(std::max<std::int64_t>(0, size));
    FPosition = std::min<std::int64_t>(FPosition, FData.size());
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::SetBytes(const QByteArray& bytes) {
    FData = bytes;
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    const std::int64_t n = stream->Size();
    FData.resize(n);
    if (n) stream->ReadBuffer(FData.data(), n);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream* stream) {
    if (!FData.isEmpty()) stream->WriteBuffer(FData.constData(), FData.size());
}

void TMemoryStream::LoadFromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    SetBytes(file.readAll());
}

void TMemoryStream::SaveToFile(const QString& fileName) {
    SaveBytesToFile(fileName, FData);
}

// TFileStream -----------------------------------------------------------------------------------
TFileStream::TFileStream(const QString& fileName, unsigned mode)
    : FFileName(fileName), FFile(std::make_unique<QFile>(fileName)) {
    if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
        if (!FFile->open(QIODevice::ReadWrite | QIODevice::Truncate))
            throw EFCreateError(
                QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, FFile->errorString()));
        return;
    }
    QIODevice::OpenMode open = QIODevice::ReadOnly;
    if ((mode & 3) == fmOpenWrite) open = QIODevice::WriteOnly;
    if ((mode & 3) == fmOpenReadWrite) open = QIODevice::ReadWrite;
    if (open != QIODevice::ReadOnly && !FFile->exists())
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". No such file").arg(fileName));
    if (!FFile->open(open))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, FFile->errorString()));
}

TFileStream::~TFileStream() = default;

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    const qint64 n = FFile->read(static_cast<char*>(buffer), count);
    return std::max<qint64>(n, 0);
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    const qint64 n = FFile->write(static_cast<const char*>(buffer), count);
    return std::max<qint64>(n, 0);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? FFile->pos() : FFile->size();
    FFile->seek(std::max<std::int64_t>(0, base + offset));
    return FFile->pos();
}

std::int64_t TFileStream::Size() {
    return FFile->size();
}

void TFileStream::SetSize(std::int64_t size) {
    if (!FFile->resize(size)) throw EWriteError(QStringLiteral("Stream write error"));
}
