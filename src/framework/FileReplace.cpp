#include "FileReplace.h"

#include "Streams.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <climits>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder part of a path with its closing '/', "./" for a name in the working folder.
QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArrayLiteral("./") : path.left(slash + 1);
}

// A link in a folder that every user may write and that keeps each file to its owner (as /tmp) may
// have been planted there by another user: it is followed only when the user or the folder's owner
// made it, whatever the system's own protection of such links is set to. 0, or the error number.
int CheckLinkOwner(const QByteArray& link, uid_t linkOwner) {
    struct stat folder {};
    if (::stat(FolderOf(link).constData(), &folder) != 0) return errno;
    const bool shared = (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return shared && linkOwner != ::geteuid() && linkOwner != folder.st_uid ? EACCES : 0;
}

// Follows symbolic links from path to the name that is not one, which need not exist yet (a
// relative link is read from the link's own folder); 0, or the error number. A file saved through
// a link is the file it points to, and the link stays.
int FollowLinks(QByteArray& path) {
    constexpr int MaxLinks = 40;  // as many as the system follows in one path
    for (int followed = 0; followed <= MaxLinks; ++followed) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode)) return 0;
        if (const int error = CheckLinkOwner(path, info.st_uid)) return error;
        char to[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), to, sizeof to);
        if (n < 0) return errno;
        if (size_t(n) == sizeof to) return ENAMETOOLONG;
        path = to[0] == '/' ? QByteArray(to, n) : FolderOf(path) + QByteArray(to, n);
    }
    return ELOOP;
}

// The first bytes of a file name, at most `bytes` of them, cut between two UTF-8 letters.
QByteArray NameStart(const QByteArray& name, qsizetype bytes) {
    if (name.size() <= bytes) return name;
    qsizetype cut = std::max<qsizetype>(bytes, 0);
    while (cut > 0 && (std::uint8_t(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.left(cut);
}

// Creates a new file beside target under a name no other writer uses; its descriptor, or -1 with
// errno set. The name carries the target's name (shortened where the folder's limit on a name
// requires), the process id and a counter, and an existing file is never reused.
int CreateTemporary(const QByteArray& target, mode_t mode, QByteArray& temp) {
    static std::atomic<unsigned> counter{0};
    const QByteArray folder = FolderOf(target), name = target.mid(target.lastIndexOf('/') + 1);
    long nameLimit = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (nameLimit <= 0) nameLimit = NAME_MAX;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray tail =
            '.' + QByteArray::number(qint64(::getpid())) + '-' + QByteArray::number(++counter) + ".new";
        temp = folder + NameStart(name, nameLimit - tail.size()) + tail;
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
    QByteArray target = QFile::encodeName(fileName);
    if (const int error = FollowLinks(target)) return error;
    // Only the status is looked at, never opened: opening a FIFO would wait for its other end.
    struct stat old {};
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return EISDIR;
    // A FIFO, a socket or a device (a settings file linked to /dev/null) stays what it is.
    if (exists && !S_ISREG(old.st_mode)) return NotARegularFile;
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
    if (const int dir = ::open(FolderOf(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
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
    case NotARegularFile:
        return QStringLiteral("不是普通文件");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

void SaveBytesToFile(const QString& fileName, const QByteArray& data) {
    if (const int error = ReplaceFile(fileName, data))
        throw EFCreateError(QStringLiteral("无法写入文件 %1：%2").arg(fileName, FileErrorReason(error)));
}
