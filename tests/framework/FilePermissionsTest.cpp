// The file writers' permissions as a user who is not root meets them: root may write anything, so
// each case runs in a child process that, under root, takes the unprivileged user 65534 first.
#include "FileReplace.h"
#include "FileSizeLimit.h"
#include "Streams.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr uid_t Nobody = 65534;

// Runs `body` in a child process as user and group 65534 (as the user the tests run as, when that is
// not root), under umask 022; gives back what the body found wrong ("" for nothing), or why it could
// not run.
std::string AsAUser(const std::function<std::string()>& body) {
    int report[2];
    if (::pipe(report) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child < 0) return "no child process";
    if (child == 0) {
        ::close(report[0]);
        std::string found;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            found = "could not become user 65534";
        else {
            ::umask(022);
            try {
                found = body();
            } catch (const Exception& e) {
                found = "raised " + e.Message().toStdString();
            }
        }
        const ssize_t written = ::write(report[1], found.data(), found.size());
        ::_exit(written == ssize_t(found.size()) ? 0 : 1);
    }
    ::close(report[1]);
    std::string found;
    char buffer[256];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;)
        found.append(buffer, size_t(n));
    ::close(report[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) found += " (the child process failed)";
    return found;
}

mode_t ModeOf(const QString& file) {
    struct stat info {};
    return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A folder the child may write in.
struct TSharedFolder {
    QTemporaryDir Dir;
    TSharedFolder() { ::chmod(QFile::encodeName(Dir.path()).constData(), 0777); }
    QString File(const char* name) const { return Dir.filePath(name); }
};
}  // namespace

TEST(FileWriters, AFileTheUserMayNotWriteIsRefusedAndKeptThoughItsFolderIsWritable) {
    TSharedFolder folder;
    const QString file = folder.File("UInfo.ini");
    SaveBytesToFile(file, "PWD=0123\n");
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0444), 0);
    EXPECT_EQ(AsAUser([&]() -> std::string {
                  try {
                      SaveBytesToFile(file, "PWD=4567\n");
                      return "a read-only file was replaced";
                  } catch (const EFCreateError& e) {
                      return e.Message().contains("没有写入权限") ? "" : e.Message().toStdString();
                  }
              }),
              "");
    EXPECT_EQ(FileBytes(file), "PWD=0123\n");
    EXPECT_EQ(ModeOf(file), 0444u);
    EXPECT_EQ(FilesIn(folder.Dir.path()), QStringList{"UInfo.ini"});
}

TEST(FileWriters, ANewFileFollowsTheUmaskAndAReplacedOneKeepsItsModePastTheUmask) {
    TSharedFolder folder;
    const QString created = folder.File("export.txt"), shared = folder.File("shared.txt");
    EXPECT_EQ(AsAUser([&]() -> std::string {
                  SaveBytesToFile(created, "new\n");
                  SaveBytesToFile(shared, "one\n");
                  if (::chmod(QFile::encodeName(shared).constData(), 0664) != 0) return "no chmod";
                  SaveBytesToFile(shared, "two\n");
                  return "";
              }),
              "");
    EXPECT_EQ(ModeOf(created), 0644u);
    EXPECT_EQ(ModeOf(shared), 0664u);  // the group's write bit, which umask 022 would drop
    EXPECT_EQ(FileBytes(shared), "two\n");
}

// In a folder anyone may write that keeps each file to its owner (as /tmp), a link another user
// planted is not followed, at any step of a chain; the user's own links and the folder owner's are.
TEST(FileWriters, ALinkAnotherUserPlantedInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to give links to other users";
    constexpr uid_t Stranger = 65533;
    TSharedFolder folder;
    const QString target = folder.File("UInfo.ini"), shared = folder.File("tmp");
    SaveBytesToFile(target, "PWD=0123\n");
    ASSERT_EQ(::chown(QFile::encodeName(target).constData(), Nobody, Nobody), 0);
    ASSERT_TRUE(QDir(folder.Dir.path()).mkdir("tmp"));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    struct TLink {
        const char *Name, *To;
        uid_t Owner;
        bool Followed;
    };
    const TLink links[] = {{"planted.ini", "../UInfo.ini", Stranger, false},
                           {"chain.ini", "planted.ini", Nobody, false},
                           {"own.ini", "../UInfo.ini", Nobody, true},
                           {"folder-owner.ini", "../UInfo.ini", 0, true}};
    for (const TLink& link : links) {
        const QByteArray path = QFile::encodeName(folder.File("tmp/") + link.Name);
        ASSERT_EQ(::symlink(link.To, path.constData()), 0);
        ASSERT_EQ(::lchown(path.constData(), link.Owner, link.Owner), 0);
    }
    for (const TLink& link : links) {
        SCOPED_TRACE(link.Name);
        EXPECT_EQ(AsAUser([&]() -> std::string {
                      try {
                          SaveBytesToFile(folder.File("tmp/") + link.Name, link.Name);
                          return link.Followed ? "" : "saved through the link";
                      } catch (const EFCreateError& e) {
                          return link.Followed || !e.Message().contains("没有写入权限")
                                     ? e.Message().toStdString()
                                     : "";
                      }
                  }),
                  "");
        EXPECT_EQ(FileBytes(target), link.Followed ? QByteArray(link.Name) : "PWD=0123\n");
    }
    EXPECT_EQ(FilesIn(folder.Dir.path()), QStringList{"UInfo.ini"});
}
