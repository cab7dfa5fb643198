// Every file writer of the framework writes a whole file or leaves the old one as it was.
#include "FileReplace.h"
#include "FileSizeLimit.h"
#include "GraphicsImage.h"
#include "IniFiles.h"
#include "Streams.h"

#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

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
        EXPECT_THROW(writer.Write(dir.filePath("folder.txt"), 'a'), EFCreateError);
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
