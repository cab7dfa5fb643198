// The fuzz target's seeds load, and every input that ever crashed it is now handled.
#include "PngTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(PngFuzzInputs, SeedsLoadAndRegressionsAreHandled) {
    const QString root = QStringLiteral(VELORIA_SOURCE_DIR "/fuzz/");
    const QStringList seeds = QDir(root + "corpus").entryList(QDir::Files);
    ASSERT_FALSE(seeds.isEmpty());
    for (const QString& name : seeds) {
        SCOPED_TRACE(name.toStdString());
        auto png = LoadPng(ReadFileBytes(root + "corpus/" + name));
        EXPECT_NO_THROW(LoadPng(SavePng(*png)));
    }
    for (const QString& name : QDir(root + "regressions").entryList(QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        try {
            auto png = LoadPng(ReadFileBytes(root + "regressions/" + name));
            LoadPng(SavePng(*png));
        } catch (const EPngError&) {
        }
    }
}
