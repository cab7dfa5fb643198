// Printing a recipe or set meal, and exporting a grid as a text file.
#include "Dialogs.h"
#include "Grids.h"
#include "Printers.h"
#include "UintDM.h"

#include <algorithm>

void TDM::PrintRecipe(const QString& title, const TStringList& lines) {
    TPrinter* printer = Printer();
    if (printer->Printers()->Count() == 0) {
        MessageBox("没有安装打印机", InfoCaption, MB_OK);
        return;
    }
    try {
        printer->BeginDoc();
    } catch (const EPrinter&) {
        MessageBox("没有安装打印机", InfoCaption, MB_OK);
        return;
    }
    TCanvas* canvas = printer->Canvas();
    TFont* font = canvas->Font();
    font->SetSize(12);
    font->SetStyle(0);
    // One Chinese character's width and height are the units of the layout.
    const int w = canvas->TextWidth("宽"), h = canvas->TextHeight("高");
    const int pageWidth = printer->PageWidth();
    if (lines.Count() == 0) {
        printer->EndDoc();
        return;
    }

    font->SetSize(15);
    font->SetStyle(FontStyle(fsBold));
    int y = 2 * h;
    canvas->TextOut(pageWidth / 2 - canvas->TextWidth(title) / 2, y, title);
    font->SetSize(13);
    y += 2 * h;
    canvas->TextOut(2 * w, y, "食谱名称： " + lines[0]);
    y += canvas->TextHeight("高") + h / 2;

    font->SetSize(12);
    font->SetStyle(0);
    int longest = 0;
    for (int i = 1; i < lines.Count(); ++i) longest = std::max(longest, int(SplitCommaText(lines[i]).value(0).size()));
    if (longest <= 4) longest += 3;
    const int step = h + h / 2;
    auto headers = [&] {
        canvas->TextOut(2 * w, y, "食物名称");
        canvas->TextOut((longest + 4) * w, y, "重量(克)");
        canvas->TextOut((longest + 9) * w, y, "热量(Kcal)");
        y += step;
    };
    headers();
    // A long list goes on over further pages, each with the headers again.
    const int bottom = printer->PageHeight() - 2 * h;
    for (int i = 1; i < lines.Count(); ++i) {
        if (y + h > bottom) {
            printer->NewPage();
            y = 2 * h;
            headers();
        }
        const QStringList fields = SplitCommaText(lines[i]);
        canvas->TextOut(2 * w, y, fields.value(0));
        canvas->TextOut((longest + 6) * w, y, fields.value(1));
        canvas->TextOut((longest + 11) * w, y, fields.value(2));
        y += step;
    }
    printer->EndDoc();
}

void TDM::ExportGridToText(TStringGrid* grid, const QString& defaultFileName) {
    TSaveDialog dialog(nullptr);
    dialog.SetFileName(defaultFileName);
    dialog.SetFilter("*.txt");
    if (!dialog.Execute()) return;
    TStringList lines;
    for (int row = 0; row < grid->RowCount(); ++row)
        lines.Add(QStringList{grid->Cells(0, row), grid->Cells(1, row), grid->Cells(2, row), grid->Cells(3, row)}.join("    "));
    QString fileName = dialog.FileName();
    if (!fileName.endsWith(".txt", Qt::CaseInsensitive)) fileName += ".txt";
    try {
        lines.SaveToFile(fileName);
    } catch (const Exception& e) {
        // The earlier export under that name, if any, is still whole.
        MessageBox(QStringLiteral("保存失败：%1").arg(e.Message()), InfoCaption, MB_OK);
    }
}
