// The visual sheet of the styled grids and tree: string grids framed in each style, with their line
// colours, disabled; the data grid's shading and quick-compare rows; trees with and without a frame
// and with the selection outline.
#include "ADODB.h"
#include "Forms.h"
#include "Sheet.h"
#include "SkDBGrid.h"
#include "SkTreeVw.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <sqlite3.h>

namespace {
const char* const Foods[] = {"米饭", "馒头", "面条", "玉米", "土豆", "红薯", "燕麦", "小米", "荞麦", "山药"};

void FillFoods(TSkStringGrid* grid) {
    grid->SetColCount(4);
    grid->SetRowCount(8);
    grid->SetColWidths(0, 30);
    grid->SetColWidths(1, 80);
    const QStringList titles{"序号", "食物名称", "重量(克)", "热量(Kcal)"};
    for (int c = 0; c < 4; ++c)
        grid->SetCells(c, 0, titles[c]);
    for (int r = 1; r < 8; ++r) {
        grid->SetCells(0, r, QString::number(r));
        grid->SetCells(1, r, Foods[r - 1]);
        grid->SetCells(2, r, QString::number(50 * r));
        grid->SetCells(3, r, QString::number(58 * r));
    }
}

void StringGridRow(TSheet& sheet, TPaintBox* parent) {
    const std::vector<std::pair<QString, std::function<void(TSkStringGrid*)>>> cases{
        {"sunken border", [](TSkStringGrid*) {}},
        {"fsFlat 8579227",
         [](TSkStringGrid* g) {
             g->SetFrameVisible(true);
             g->SetFrameColor(8579227);
         }},
        {"fsFlatBold, lines 33023",
         [](TSkStringGrid* g) {
             g->SetFrameVisible(true);
             g->SetFrameStyle(fsFlatBold);
             g->SetFrameColor(8579227);
             g->SetLineColor(33023);
             g->SetFixedLineColor(8579227);
         }},
        {"fsLowered, LineColor = Color",
         [](TSkStringGrid* g) {
             g->SetFrameVisible(true);
             g->SetFrameStyle(fsLowered);
             g->SetLineColor(clWindow);
         }},
        {"disabled",
         [](TSkStringGrid* g) {
             g->SetFrameVisible(true);
             g->SetEnabled(false);
         }},
    };
    for (const auto& [caption, set] : cases) {
        auto* grid = Child<TSkStringGrid>(parent, 300, 120);
        grid->SetScrollBars(ssNone);
        FillFoods(grid);
        set(grid);
        sheet.Cell(caption, 300, 120, [&](TCanvas* c, const TRect& r) { Show(c, r, grid); });
        delete grid;
    }
}

void DBGridRow(TSheet& sheet, TPaintBox* parent) {
    QTemporaryDir dir;
    const QString file = dir.filePath("foods.db");
    sqlite3* db = nullptr;
    sqlite3_open(file.toUtf8().constData(), &db);
    sqlite3_exec(db, "CREATE TABLE Foods (Name TEXT, Kcal REAL);", nullptr, nullptr, nullptr);
    for (int i = 0; i < 10; ++i) {
        const QString sql = QStringLiteral("INSERT INTO Foods VALUES ('%1', %2);").arg(Foods[i]).arg(40 * i);
        sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
    TADOConnection conn;
    conn.Open(file);
    TADOQuery query;
    query.SetConnection(&conn);
    query.SQL()->SetText("Select Name, Kcal From Foods");
    TDataSource source;
    source.SetDataSet(&query);
    query.Open();
    const std::vector<std::pair<QString, std::function<void(TSkDBGrid*)>>> cases{
        {"shading fixed to the screen", [](TSkDBGrid* g) { g->SetAltRowShading(true); }},
        {"shading after a scroll, moving",
         [](TSkDBGrid* g) {
             g->SetAltRowShading(true);
             g->SetAltRowShadingFixed(false);
             g->SetTopRow(g->TopRow() + 1);
         }},
        {"quick compare Kcal < 150",
         [](TSkDBGrid* g) {
             g->SetAltRowShading(true);
             g->QuickCompare()->SetFieldName("Kcal");
             g->QuickCompare()->SetOperation(qcoLessThan);
             g->QuickCompare()->SetFieldValue(150);
             g->QuickCompare()->SetActive(true);
         }},
    };
    for (const auto& [caption, set] : cases) {
        auto* grid = Child<TSkDBGrid>(parent, 220, 140);
        grid->SetDataSource(&source);
        grid->SetFrameVisible(true);
        grid->SetFrameColor(8579227);
        grid->Columns()->Add()->SetFieldName("Name");
        TColumn* kcal = grid->Columns()->Add();
        kcal->SetFieldName("Kcal");
        kcal->Title()->SetCaption("热量(Kcal)");
        set(grid);
        sheet.Cell(caption, 220, 140, [&](TCanvas* c, const TRect& r) { Show(c, r, grid); });
        delete grid;
    }
}

void TreeRow(TSheet& sheet) {
    const std::vector<std::pair<QString, std::function<void(TSkTreeView*)>>> cases{
        {"plain", [](TSkTreeView*) {}},
        {"fsFlat frame",
         [](TSkTreeView* t) {
             t->SetFrameVisible(true);
             t->SetFrameColor(8579227);
         }},
        {"fsFlatBold, selection outline",
         [](TSkTreeView* t) {
             t->SetFrameVisible(true);
             t->SetFrameStyle(fsFlatBold);
             t->SetHideSelection(false);
             t->SelectionPen()->SetColor(clRed);
         }},
        {"item height 26",
         [](TSkTreeView* t) {
             t->SetFrameVisible(true);
             t->SetItemHeight(26);
         }},
    };
    TStringList lines;
    lines.Assign({"谷类及制品", "\t米", "\t\t粳米（标一）", "\t\t籼米", "\t麦", "\t\t小麦粉", "蔬菜类",
                  "\t菠菜", "\t芹菜"});
    for (const auto& [caption, set] : cases) {
        TForm form(nullptr);
        form.SetBounds(0, 0, 180, 170);
        auto* tree = new TSkTreeView(&form);
        tree->SetParent(&form);
        tree->SetBounds(0, 0, 180, 170);
        tree->LoadFromStrings(&lines);
        tree->FullExpand();
        set(tree);
        form.ShowForm();
        tree->SetSelected(tree->Items()->Item(2));
        // The outline shows while the focus is elsewhere.
        if (!tree->HideSelection()) {
            auto* edit = new TEdit(&form);
            edit->SetParent(&form);
            edit->SetBounds(0, 200, 50, 20);
            edit->SetFocus();
        }
        QApplication::processEvents();
        sheet.Cell(caption, 180, 170, [&](TCanvas* c, const TRect& r) {
            TBitmap picture;
            picture.FromImage(tree->Widget()->grab().toImage());
            c->Draw(r.Left, r.Top, &picture);
        });
    }
}
}  // namespace

void GridsTreeSheet(const QString& folder) {
    TSheet sheet(1000, 800);
    auto parent = MakeParent(clBtnFace);
    sheet.Heading("String grid");
    StringGridRow(sheet, parent.get());
    sheet.Heading("Data grid");
    DBGridRow(sheet, parent.get());
    sheet.Heading("Tree view");
    TreeRow(sheet);
    sheet.Save(folder, "grids-tree");
}
