#include "FileReplace.h"

#include "Streams.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates a new file beside target under a name no other writer uses; its descriptor, or -1 with
// errno set. The name carries the process id and a counter, and an existing file is never reused.
int CreateTemporary(const QByteArray& target, mode_t mode, QByteArray& temp) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + '.' + QByteArray::number(qint64(::getpid())) + '-' + QByteArray::number(++counter) +
               ".new";
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const QByteArray& data) {
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

}  // namespace

int ReplaceFile(const QString& fileName, const QByteArray& data) {
    const QByteArray target = QFile::encodeName(fileName);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return EISDIR;
    // A file the user may not write stays as it is, even where the folder would let it be replaced.
    if (exists && ::access(target.constData(), W_OK) != 0) return errno;
    QByteArray temp;
    const int fd = CreateTemporary(target, exists ? (old.st_mode & 07777) : 0666, temp);
    if (fd < 0) return errno;
    auto fail = [&](int error, bool open) {
        if (open) ::close(fd);
        ::unlink(temp.constData());
        return error;
    };
    if (exists && ::fchmod(fd, old.st_mode & 07777) != 0) return fail(errno, true);
    if (!WriteAll(fd, data)) return fail(errno, true);
    if (::fsync(fd) != 0) return fail(errno, true);
    if (::close(fd) != 0) return fail(errno, false);
    if (::rename(temp.constData(), target.constData()) != 0) return fail(errno, false);
    // The rename itself reaches the disk with the folder; a failure here loses nothing already written.
    const QByteArray folder = QFile::encodeName(QFileInfo(fileName).absolutePath());
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

QString FileErrorReason(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("磁盘空间不足");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("没有写入权限");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件夹不存在");
    case EISDIR:
        return QStringLiteral("已有同名的文件夹");
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

void SaveBytesToFile(const QString& fileName, const QByteArray& data) {
    if (const int error = ReplaceFile(fileName, data))
        throw EFCreateError(QStringLiteral("无法写入文件 %1：%2").arg(fileName, FileErrorReason(error)));
}
