// The printer and the save dialog, through their recording doubles and the system's own.
#include "Dialogs.h"
#include "Printers.h"
#include "RecordingFileDialog.h"
#include "RecordingPrinter.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Printer, TheDoubleRecordsTextsPlacesFontsAndPages) {
    TRecordingPrinter printer;
    ASSERT_EQ(Printer(), &printer);
    EXPECT_EQ(Printer()->Printers()->Count(), 1);
    TCanvas* canvas = Printer()->Canvas();
    canvas->Font()->SetSize(12);
    const int w = canvas->TextWidth("宽");
    EXPECT_GT(w, 10);
    Printer()->SetTitle("食谱名称");
    Printer()->BeginDoc();
    EXPECT_TRUE(Printer()->Printing());
    canvas->Font()->SetSize(15);
    canvas->Font()->SetStyle(FontStyle(fsBold));
    canvas->TextOut(300, 40, "食谱名称");
    Printer()->NewPage();
    canvas->Font()->SetSize(12);
    canvas->Font()->SetStyle(0);
    canvas->TextOut(2 * w, 60, "米饭");
    EXPECT_EQ(canvas->PenPos().X, 2 * w + canvas->TextWidth("米饭"));
    Printer()->EndDoc();
    EXPECT_FALSE(Printer()->Printing());

    ASSERT_EQ(printer.Texts.size(), 2u);
    EXPECT_EQ(printer.Texts[0].Text, "食谱名称");
    EXPECT_EQ(printer.Texts[0].FontSize, 15);
    EXPECT_TRUE(printer.Texts[0].Bold);
    EXPECT_EQ(printer.Texts[0].Page, 1);
    const TPrintedText* rice = printer.Find("米饭");
    ASSERT_NE(rice, nullptr);
    EXPECT_EQ(rice->X, 2 * w);
    EXPECT_EQ(rice->Y, 60);
    EXPECT_EQ(rice->Page, 2);
    EXPECT_FALSE(rice->Bold);
    EXPECT_EQ(printer.Pages, 2);
    EXPECT_EQ(printer.Finished, 1);
    EXPECT_EQ(printer.Titles, QStringList({"食谱名称"}));
    EXPECT_THROW(Printer()->EndDoc(), EPrinter);
}

TEST(Printer, NoPrinterMeansNoDocument) {
    {
        TRecordingPrinter none(QStringList{});
        EXPECT_EQ(Printer()->Printers()->Count(), 0);
        EXPECT_THROW(Printer()->BeginDoc(), EPrinter);
        EXPECT_EQ(none.Documents, 0);
    }
    // The system's printer: a document needs an installed printer, and a page always has a size.
    TPrinter* system = Printer();
    EXPECT_GT(system->PageWidth(), 500);
    EXPECT_GT(system->PageHeight(), system->PageWidth());
    if (system->Printers()->Count() > 0) GTEST_SKIP() << "this machine has a printer";
    try {
        system->BeginDoc();
        FAIL() << "a document began without a printer";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.Message(), "没有安装打印机");
    }
}

TEST(SaveDialog, TheChosenNameGetsTheDefaultExtensionWhenItHasNone) {
    TRecordingFileDialogService dialogs;
    TSaveDialog dialog(nullptr);
    dialog.SetFileName("【番茄炒蛋】");
    dialog.SetFilter("*.txt");
    dialog.SetDefaultExt("txt");
    dialog.SetTitle("导出食谱");
    dialogs.Answer("/tmp/番茄炒蛋");
    dialogs.Answer("/tmp/番茄炒蛋.txt");
    dialogs.Cancel();
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/番茄炒蛋.txt");
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/番茄炒蛋.txt");
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), "/tmp/番茄炒蛋.txt");  // a cancel keeps the last choice
    EXPECT_FALSE(dialog.Execute());                     // nothing scripted: cancel
    ASSERT_EQ(dialogs.Requests.size(), 4u);
    EXPECT_EQ(dialogs.Requests[0].FileName, "【番茄炒蛋】");
    EXPECT_EQ(dialogs.Requests[0].Filter, "*.txt");
    EXPECT_EQ(dialogs.Requests[0].Title, "导出食谱");
}

TEST(SaveDialog, ADialogWithoutAFolderOpensInTheUsersDocuments) {
    // A home of our own, so the documents folder is known: $HOME/Documents, or $HOME without one.
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toUtf8());
    TRecordingFileDialogService dialogs;
    TSaveDialog dialog(nullptr);
    dialog.SetFileName("【番茄炒蛋】");
    dialog.Execute();
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    dialog.Execute();
    dialog.SetInitialDir("/tmp");
    dialog.Execute();
    qputenv("HOME", oldHome);
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
    ASSERT_EQ(dialogs.Requests.size(), 3u);
    EXPECT_EQ(dialogs.Requests[0].InitialDir, home.path());
    EXPECT_EQ(dialogs.Requests[1].InitialDir, home.path() + "/Documents");
    EXPECT_EQ(dialogs.Requests[2].InitialDir, "/tmp");  // a folder of its own stays
}
