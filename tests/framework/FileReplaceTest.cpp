// Every file writer of the framework writes a whole file or leaves the old one as it was.
#include "FileReplace.h"
#include "FileSizeLimit.h"
#include "GraphicsImage.h"
#include "IniFiles.h"
#include "Streams.h"

#include <QStringDecoder>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {
// One writer: what it writes to a file name (more than a few bytes either way).
struct TFileWriter {
    const char* Name;
    std::function<void(const QString& file, char fill)> Write;
};

std::vector<TFileWriter> FileWriters() {
    return {
        {"TStringList",
         [](const QString& file, char fill) {
             TStringList lines;
             for (int i = 0; i < 20; ++i)
                 lines.Add(QString(30, QLatin1Char(fill)));
             lines.SaveToFile(file);
         }},
        {"TMemoryStream",
         [](const QString& file, char fill) {
             TMemoryStream stream;
             stream.SetBytes(QByteArray(600, fill));
             stream.SaveToFile(file);
         }},
        {"TGraphic",
         [](const QString& file, char fill) {
             TBitmap bitmap(16, 16);
             bitmap.Canvas()->Brush()->SetColor(fill == 'a' ? clRed : clBlue);
             bitmap.Canvas()->FillRect(Rect(0, 0, 16, 16));
             bitmap.SaveToFile(file);
         }},
    };
}
}  // namespace

TEST(FileWriters, AWriteThatFailsRaisesWithTheReasonAndLeavesTheOldFileWhole) {
    for (const TFileWriter& writer : FileWriters()) {
        SCOPED_TRACE(writer.Name);
        QTemporaryDir dir;
        const QString file = dir.filePath("export.txt");
        writer.Write(file, 'a');
        const QByteArray before = FileBytes(file);
        ASSERT_GT(before.size(), 100);
        {
            TFileSizeLimit full(64);
            try {
                writer.Write(file, 'b');
                ADD_FAILURE() << "a write past the limit reported success";
            } catch (const EFCreateError& e) {
                EXPECT_TRUE(e.Message().contains(file)) << qPrintable(e.Message());
                EXPECT_TRUE(e.Message().contains("磁盘空间不足")) << qPrintable(e.Message());
            }
        }
        EXPECT_EQ(FileBytes(file), before);
        EXPECT_EQ(FilesIn(dir.path()), QStringList{"export.txt"});  // the unfinished file is gone
        // Once there is room again the write goes through whole.
        writer.Write(file, 'b');
        EXPECT_NE(FileBytes(file), before);
        EXPECT_EQ(FilesIn(dir.path()), QStringList{"export.txt"});
    }
}

TEST(FileWriters, AFolderThatIsMissingOrANameThatIsAFolderRaises) {
    QTemporaryDir dir;
    for (const TFileWriter& writer : FileWriters()) {
        SCOPED_TRACE(writer.Name);
        try {
            writer.Write(dir.filePath("missing/x.txt"), 'a');
            ADD_FAILURE();
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(e.Message().contains("文件夹不存在")) << qPrintable(e.Message());
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir("folder.txt"));
        try {
            writer.Write(dir.filePath("folder.txt"), 'a');
            ADD_FAILURE();
        } catch (const EFCreateError& e) {
            EXPECT_TRUE(e.Message().contains("已有同名的文件夹")) << qPrintable(e.Message());
        }
        EXPECT_TRUE(QFileInfo(dir.filePath("folder.txt")).isDir());
        QDir(dir.path()).rmdir("folder.txt");
    }
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
}

TEST(FileWriters, AReplacedFileKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString file = dir.filePath("UInfo.ini");
    SaveBytesToFile(file, "PWD=0123\n");
    ASSERT_EQ(chmod(QFile::encodeName(file).constData(), 0600), 0);
    SaveBytesToFile(file, "PWD=4567\n");
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(file).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // a password stays private
    EXPECT_EQ(FileBytes(file), "PWD=4567\n");
}

TEST(FileWriters, TwoWritersOfOneFileEachWriteAWholeFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("UInfo.ini");
    std::atomic<int> failures{0};
    auto writeMany = [&](const QString& key) {
        TIniFile ini(file);
        for (int i = 0; i < 100; ++i) {
            try {
                ini.WriteString("UINFO", key, QString(200, QLatin1Char('x')));
            } catch (const Exception&) {
                ++failures;
            }
        }
    };
    std::thread first(writeMany, QStringLiteral("UID")), second(writeMany, QStringLiteral("PWD"));
    first.join();
    second.join();
    EXPECT_EQ(failures, 0);
    // Whatever won, the file is one writer's whole file.
    const QByteArray text = FileBytes(file);
    EXPECT_TRUE(text.startsWith("[UINFO]\n")) << text.left(40).constData();
    EXPECT_TRUE(text.endsWith(QByteArray(200, 'x') + '\n'));
    EXPECT_EQ(FilesIn(dir.path()), QStringList{"UInfo.ini"});
}

// A save, whole or failed, keeps no descriptor open; not even 0 when it is free, which is then the
// number the folder is opened with.
TEST(FileWriters, ASaveKeepsNoDescriptorOpen) {
    QTemporaryDir dir;
    const auto openDescriptors = [] {
        return QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size();
    };
    const int input = dup(0);
    close(0);
    const qsizetype before = openDescriptors();
    SaveBytesToFile(dir.filePath("a.txt"), "whole");
    {
        TFileSizeLimit full(2);
        EXPECT_THROW(SaveBytesToFile(dir.filePath("a.txt"), "failed"), EFCreateError);
    }
    const qsizetype after = openDescriptors();
    const bool zeroOpen = fcntl(0, F_GETFD) != -1;
    dup2(input, 0);
    close(input);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(zeroOpen);
    EXPECT_EQ(FileBytes(dir.filePath("a.txt")), "whole");
}

namespace {
void Link(const QByteArray& to, const QString& link) {
    ASSERT_EQ(symlink(to.constData(), QFile::encodeName(link).constData()), 0);
}

// What a symbolic link holds; empty when the name is no link.
QByteArray LinkText(const QString& link) {
    char text[4096];
    const ssize_t n = readlink(QFile::encodeName(link).constData(), text, sizeof text);
    return n > 0 ? QByteArray(text, int(n)) : QByteArray();
}

// The names of the files made in a folder while `act` runs.
QList<QByteArray> NamesMadeIn(const QString& folder, const std::function<void()>& act) {
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    inotify_add_watch(watch, QFile::encodeName(folder).constData(), IN_CREATE);
    act();
    QList<QByteArray> names;
    alignas(inotify_event) char events[1 << 16];
    for (ssize_t n; (n = read(watch, events, sizeof events)) > 0;)
        for (const char* at = events; at < events + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            names << QByteArray(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    close(watch);
    return names;
}

// Why a save failed, or "saved".
QString SaveRefusal(const QString& file) {
    try {
        SaveBytesToFile(file, "x");
    } catch (const EFCreateError& e) {
        return e.Message();
    }
    return QStringLiteral("saved");
}

// The longest name a folder takes, as a file system that keeps names short reports it; 0 for the
// folder's own.
std::atomic<long> gShortNameLimit{0};
}  // namespace

// The writer asks the system how long a name may be; this answers for a file system of short names.
extern "C" long pathconf(const char* path, int name) noexcept {
    if (name == _PC_NAME_MAX && gShortNameLimit > 0) return gShortNameLimit;
    using TPathconf = long (*)(const char*, int);
    static const auto system = reinterpret_cast<TPathconf>(dlsym(RTLD_NEXT, "pathconf"));
    return system(path, name);
}

// A save onto a symbolic link replaces the file the link finally stands for and keeps the link,
// through links to links and relative links read from the link's own folder.
TEST(FileWriters, ASaveOntoALinkWritesTheFileItPointsTo) {
    QTemporaryDir dir;
    for (const char* folder : {"data", "links", "plain"})
        QDir(dir.path()).mkdir(folder);
    const QString real = dir.filePath("data/UInfo.ini"), relative = dir.filePath("links/relative.ini"),
                  chain = dir.filePath("chain.ini");
    Link("../data/UInfo.ini", relative);
    Link(QFile::encodeName(relative), chain);
    for (const TFileWriter& writer : FileWriters()) {
        SCOPED_TRACE(writer.Name);
        writer.Write(dir.filePath("plain/UInfo.ini"), 'a');
        for (const QString& link : {relative, chain}) {
            SaveBytesToFile(real, "old");
            writer.Write(link, 'a');
            EXPECT_EQ(FileBytes(real), FileBytes(dir.filePath("plain/UInfo.ini"))) << qPrintable(link);
        }
    }
    TIniFile(chain).WriteString("UINFO", "UID", "小王");
    EXPECT_TRUE(FileBytes(real).contains("UID=小王"));
    EXPECT_EQ(LinkText(relative), "../data/UInfo.ini");
    EXPECT_EQ(LinkText(chain), QFile::encodeName(relative));
    EXPECT_EQ(FilesIn(dir.filePath("data")), QStringList{"UInfo.ini"});
}

// The new file is made beside the file a link points to: the link's folder may be on another disk.
TEST(FileWriters, ASaveOntoALinkToAnotherDiskIsMadeBesideTheFile) {
    QTemporaryDir dir, elsewhere(QStringLiteral("/dev/shm/veloria-XXXXXX"));
    auto disk = [](const QString& folder) {
        struct stat info {};
        return stat(QFile::encodeName(folder).constData(), &info) == 0 ? info.st_dev : dev_t(0);
    };
    if (!elsewhere.isValid() || disk(dir.path()) == disk(elsewhere.path()))
        GTEST_SKIP() << "no second file system at /dev/shm";
    const QString far = elsewhere.filePath("far.txt");
    SaveBytesToFile(far, "old");
    Link(QFile::encodeName(far), dir.filePath("far.txt"));
    SaveBytesToFile(dir.filePath("far.txt"), "new");
    EXPECT_EQ(FileBytes(far), "new");
    EXPECT_EQ(LinkText(dir.filePath("far.txt")), QFile::encodeName(far));
    EXPECT_EQ(FilesIn(elsewhere.path()), QStringList{"far.txt"});
}

// A link to a file not yet made makes it where the link points; a link into a missing folder or a
// loop of links is refused with the reason, and nothing is made.
TEST(FileWriters, ALinkToNothingYetMakesTheFileAndALoopIsRefused) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("data");
    Link("data/new.txt", dir.filePath("new.txt"));
    SaveBytesToFile(dir.filePath("new.txt"), "made");
    EXPECT_EQ(FileBytes(dir.filePath("data/new.txt")), "made");
    EXPECT_EQ(LinkText(dir.filePath("new.txt")), "data/new.txt");
    Link("missing/lost.txt", dir.filePath("lost.txt"));
    EXPECT_TRUE(SaveRefusal(dir.filePath("lost.txt")).contains("文件夹不存在"))
        << qPrintable(SaveRefusal(dir.filePath("lost.txt")));
    Link("b.txt", dir.filePath("a.txt"));
    Link("a.txt", dir.filePath("b.txt"));
    Link("self.txt", dir.filePath("self.txt"));
    const QString loop = QString::fromLocal8Bit(std::strerror(ELOOP));
    for (const char* name : {"a.txt", "self.txt"})
        EXPECT_TRUE(SaveRefusal(dir.filePath(name)).contains(loop))
            << qPrintable(SaveRefusal(dir.filePath(name)));
    EXPECT_EQ(LinkText(dir.filePath("a.txt")), "b.txt");
    // As many links in a row as the system follows in one path, 40, are followed; one more is a loop.
    QDir(dir.path()).mkdir("chain");
    for (int i = 0; i <= 40; ++i)
        Link(i < 40 ? QByteArray("l") + QByteArray::number(i + 1) : QByteArray("end.txt"),
             dir.filePath(QStringLiteral("chain/l%1").arg(i)));
    EXPECT_EQ(SaveRefusal(dir.filePath("chain/l1")), "saved");
    EXPECT_TRUE(SaveRefusal(dir.filePath("chain/l0")).contains(loop));
    EXPECT_EQ(FileBytes(dir.filePath("chain/end.txt")), "x");
    EXPECT_EQ(QDir(dir.filePath("chain"))
                  .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                  .size(),
              42);
    EXPECT_EQ(
        QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
        (QStringList{"a.txt", "b.txt", "chain", "data", "lost.txt", "new.txt", "self.txt"}));
    EXPECT_EQ(FilesIn(dir.filePath("data")), QStringList{"new.txt"});

    // A chain of links is followed as far as the system follows one when it opens a file (40
    // links), and refused one link beyond, as the system refuses it.
    QDir(dir.path()).mkdir("chain");
    const QString end = dir.filePath("chain/0");
    SaveBytesToFile(end, "old");
    for (int n = 1; n <= 41; ++n)
        Link(QByteArray::number(n - 1), dir.filePath("chain/" + QString::number(n)));
    const int opened = open(QFile::encodeName(dir.filePath("chain/40")).constData(), O_RDONLY);
    ASSERT_GE(opened, 0);
    close(opened);
    EXPECT_EQ(open(QFile::encodeName(dir.filePath("chain/41")).constData(), O_RDONLY), -1);
    EXPECT_EQ(errno, ELOOP);
    SaveBytesToFile(dir.filePath("chain/40"), "new");
    EXPECT_EQ(FileBytes(end), "new");
    EXPECT_TRUE(SaveRefusal(dir.filePath("chain/41")).contains(loop))
        << qPrintable(SaveRefusal(dir.filePath("chain/41")));
    EXPECT_EQ(FileBytes(end), "new");
    EXPECT_EQ(LinkText(dir.filePath("chain/40")), "39");
}

// A file in the root folder has its new file made there too, not in the working folder.
TEST(FileWriters, AFileInTheRootFolderIsMadeThere) {
    if (access("/", W_OK) != 0) GTEST_SKIP() << "the root folder cannot be written";
    QTemporaryDir working;
    const QString before = QDir::currentPath(), file = QStringLiteral("/veloria-%1.txt").arg(getpid());
    ASSERT_TRUE(QDir::setCurrent(working.path()));
    QString refusal;
    const QList<QByteArray> made = NamesMadeIn(working.path(), [&] { refusal = SaveRefusal(file); });
    QDir::setCurrent(before);
    EXPECT_EQ(refusal, "saved");
    EXPECT_EQ(FileBytes(file), "x");
    QFile::remove(file);
    EXPECT_TRUE(made.isEmpty());
}

// A name as long as the file system allows is written, and written again: the new file's name
// fits beside it whatever the target's name, and is cut between two letters.
TEST(FileWriters, ANameAsLongAsAllowedIsWritten) {
    QTemporaryDir dir;
    const long limit = pathconf(QFile::encodeName(dir.path()).constData(), _PC_NAME_MAX);
    ASSERT_GE(limit, 250);
    QStringList names{QString(int(limit), QLatin1Char('w'))};
    for (const QString start : {"", "a", "ab"})  // the cut falls inside a letter of some of them
        names << start + QString(int(limit - 4 - start.size()) / 3, QChar(u'重')) + ".txt";  // 3 bytes each
    for (const QString& name : names) {
        ASSERT_LE(QFile::encodeName(name).size(), limit);
        for (const TFileWriter& writer : FileWriters()) {
            SCOPED_TRACE(writer.Name);
            const QList<QByteArray> made = NamesMadeIn(dir.path(), [&] {
                writer.Write(dir.filePath(name), 'a');
                writer.Write(dir.filePath(name), 'b');
            });
            EXPECT_EQ(made.size(), 2);
            for (const QByteArray& temporary : made) {
                QStringDecoder utf8(QStringDecoder::Utf8);
                const QString decoded = utf8(temporary);
                EXPECT_FALSE(utf8.hasError()) << temporary.toHex().constData();
                EXPECT_TRUE(decoded.startsWith(name.left(60))) << qPrintable(decoded);
            }
            EXPECT_GT(FileBytes(dir.filePath(name)).size(), 100);
            EXPECT_EQ(FilesIn(dir.path()), QStringList{name});
        }
        QFile::remove(dir.filePath(name));
    }
    EXPECT_TRUE(SaveRefusal(dir.filePath(QString(int(limit + 1), QLatin1Char('w')))).contains("文件名太长"));
    EXPECT_TRUE(FilesIn(dir.path()).isEmpty());
}

// Where names are short, the new file's name still fits: the target's name gives way, cut between
// two letters, down to nothing when the rest of the new name takes all the room.
TEST(FileWriters, AFolderOfShortNamesGetsATemporaryNameThatFits) {
    QTemporaryDir dir;
    const QByteArray process = '.' + QByteArray::number(qint64(getpid())) + '-';
    for (const QString name : {QStringLiteral("a重重重.txt"), QStringLiteral("重重重.txt")}) {
        // The most letters of the name whose bytes fit the room.
        auto longestStart = [&](qsizetype room) {
            QByteArray start;
            for (const QChar letter : name) {
                const QByteArray longer = start + QString(letter).toUtf8();
                if (longer.size() > room) break;
                start = longer;
            }
            return start;
        };
        for (long limit = 8; limit <= 40; ++limit) {
            gShortNameLimit = limit;
            const QList<QByteArray> made =
                NamesMadeIn(dir.path(), [&] { SaveBytesToFile(dir.filePath(name), "x"); });
            gShortNameLimit = 0;
            ASSERT_EQ(made.size(), 1);
            // The new name is the start of the target's, then ".<process>-<count>.new".
            const qsizetype tail = made[0].lastIndexOf(process);
            ASSERT_GE(tail, 0) << made[0].constData();
            EXPECT_EQ(made[0].left(tail), longestStart(limit - (made[0].size() - tail)))
                << limit << " " << made[0].toHex().constData();
        }
        EXPECT_EQ(FileBytes(dir.filePath(name)), "x");
    }
}

// A FIFO, a socket or a device, saved onto directly or through a link, is refused with the reason
// and stays what it was; nothing waits for a FIFO's other end.
TEST(FileWriters, ASaveOntoAFifoASocketOrADeviceIsRefusedAndLeavesItAsItWas) {
    QTemporaryDir dir;
    const QString special = dir.filePath("special"), link = dir.filePath("link");
    Link("special", link);
    std::vector<TFileWriter> writers = FileWriters();
    writers.push_back(
        {"TIniFile", [](const QString& file, char) { TIniFile(file).WriteString("UINFO", "UID", "小王"); }});
    const auto makeSocket = [](const QByteArray& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        const int s = socket(AF_UNIX, SOCK_STREAM, 0);
        const int made = bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        close(s);
        return made;
    };
    const std::vector<std::pair<const char*, std::function<int(const QByteArray&)>>> kinds{
        {"FIFO", [](const QByteArray& path) { return mkfifo(path.constData(), 0666); }},
        {"socket", makeSocket},
        {"device",
         [](const QByteArray& path) { return mknod(path.constData(), S_IFCHR | 0666, makedev(1, 3)); }},
    };
    for (const auto& [kind, make] : kinds) {
        SCOPED_TRACE(kind);
        QFile::remove(special);
        if (make(QFile::encodeName(special)) != 0) {
            ASSERT_EQ(std::string(kind), "device") << std::strerror(errno);
            GTEST_SKIP() << "no device node can be made here (it takes root); FIFO and socket checked";
        }
        struct stat before {};
        ASSERT_EQ(lstat(QFile::encodeName(special).constData(), &before), 0);
        for (const QString& target : {special, link})
            for (const TFileWriter& writer : writers) {
                SCOPED_TRACE(writer.Name);
                try {
                    writer.Write(target, 'a');
                    ADD_FAILURE() << "saved onto " << qPrintable(target);
                } catch (const Exception& e) {
                    EXPECT_TRUE(e.Message().contains("不是普通文件")) << qPrintable(e.Message());
                }
                struct stat after {};
                ASSERT_EQ(lstat(QFile::encodeName(special).constData(), &after), 0);
                EXPECT_EQ(after.st_mode, before.st_mode);
                EXPECT_EQ(after.st_ino, before.st_ino);
            }
        EXPECT_EQ(LinkText(link), "special");
        EXPECT_EQ(QDir(dir.path())
                      .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)
                      .size(),
                  2);
    }
}
