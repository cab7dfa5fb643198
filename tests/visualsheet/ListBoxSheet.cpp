// The list boxes: Chinese items, group headers flat and with gradients, selected headers, frames in
// their styles, an owner-draw indent and tabbed columns at set and measured stops.
#include "Sheet.h"
#include "SkLstBox.h"

#include <QWidget>

namespace {

const char* const Foods[] = {"//谷类及制品", "稻米（籼米）", "小麦粉（标准粉）", "//蔬菜类及制品", "菠菜",
                             "大白菜",       "胡萝卜（红）", "//水果类及制品",   "苹果",           "香蕉"};

// Grabs a list (a native widget) into the cell.
void ShowList(TCanvas* canvas, const TRect& r, TListBox* list) {
    TBitmap picture;
    picture.FromImage(list->Widget()->grab().toImage());
    canvas->Draw(r.Left, r.Top, &picture);
}

template <class T> T* FoodList(TPaintBox* parent, int rows = 10) {
    auto* list = Child<T>(parent, 170, 170);
    list->Font()->SetName(QStringLiteral("Tahoma"));
    list->Font()->SetHeight(-12);
    for (int i = 0; i < rows; ++i)
        list->Items()->Add(QString::fromUtf8(Foods[i]));
    return list;
}

void Lists(TSheet& sheet, TPaintBox* parent) {
    sheet.Heading(QStringLiteral("List boxes"));
    auto* plain = FoodList<TSkListBox>(parent);
    plain->SetItemIndex(1);
    sheet.Cell(QStringLiteral("items, ShowGroups off"), 170, 170,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, plain); });
    auto* groups = FoodList<TSkListBox>(parent);
    groups->SetShowGroups(true);
    groups->SetItemIndex(4);
    sheet.Cell(QStringLiteral("groups, gradient"), 170, 170,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, groups); });
    auto* flat = FoodList<TSkListBox>(parent);
    flat->SetShowGroups(true);
    flat->SetUseGradients(false);
    flat->SetGroupColor(0xF0E0D0);
    flat->GroupFont()->SetColor(clMaroon);
    flat->SetItemIndex(3);
    sheet.Cell(QStringLiteral("flat headers, header selected"), 170, 170,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, flat); });
    auto* indent = FoodList<TSkListBox>(parent);
    indent->SetShowGroups(true);
    indent->SetOwnerDrawIndent(16);
    indent->SetFrameVisible(true);
    sheet.Cell(QStringLiteral("indent 16, flat frame"), 170, 170,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, indent); });

    sheet.NewRow();
    const TFrameStyleEx styles[] = {fsFlat, fsFlatBold, fsLowered, fsStatus};
    const char* names[] = {"fsFlat", "fsFlatBold", "fsLowered", "fsStatus"};
    for (int i = 0; i < 4; ++i) {
        auto* framed = FoodList<TSkListBox>(parent, 4);
        framed->SetHeight(80);
        framed->SetFrameVisible(true);
        framed->SetFrameStyle(styles[i]);
        framed->SetFrameColor(i == 0 ? clBtnShadow : clNavy);
        sheet.Cell(QString::fromLatin1(names[i]), 170, 80,
                   [&](TCanvas* c, const TRect& r) { ShowList(c, r, framed); });
    }
    auto* disabled = FoodList<TSkListBox>(parent, 4);
    disabled->SetHeight(80);
    disabled->SetFrameVisible(true);
    disabled->SetEnabled(false);
    sheet.Cell(QStringLiteral("disabled"), 170, 80,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, disabled); });
}

void Tabbed(TSheet& sheet, TPaintBox* parent) {
    sheet.Heading(QStringLiteral("Tabbed list boxes"));
    const char* rows[] = {"//食物\t能量\t蛋白质", "稻米\t346 千卡\t7.4 克", "菠菜\t24 千卡\t2.6 克",
                          "苹果\t52 千卡\t0.2 克", "全脂牛奶粉\t478 千卡\t20.1 克"};
    auto* automatic = Child<TSkCustomTabbedListBox>(parent, 260, 110);
    automatic->SetShowGroups(true);
    for (const char* row : rows)
        automatic->Items()->Add(QString::fromUtf8(row));
    automatic->SetTabStopsMode(tsmAutomatic);
    automatic->SetItemIndex(2);
    sheet.Cell(QStringLiteral("automatic stops, header row"), 260, 110,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, automatic); });
    auto* manual = Child<TSkCustomTabbedListBox>(parent, 260, 110);
    for (const char* row : rows)
        manual->Items()->Add(QString::fromUtf8(row));
    manual->TabStops()->Add(14);
    manual->TabStops()->Add(-34);
    manual->SetFrameVisible(true);
    sheet.Cell(QStringLiteral("stops 14 and -34 (right-aligned)"), 260, 110,
               [&](TCanvas* c, const TRect& r) { ShowList(c, r, manual); });
}

}  // namespace

void ListBoxSheet(const QString& folder) {
    TSheet sheet(1000, 600);
    auto parent = MakeParent(clBtnFace);
    Lists(sheet, parent.get());
    Tabbed(sheet, parent.get());
    sheet.Save(folder, QStringLiteral("listboxes"));
}
