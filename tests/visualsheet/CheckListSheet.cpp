// The visual sheet of the check list: Chinese items in every state, enabled and disabled, with a
// selected row, as the list widget shows them.
#include "Forms.h"
#include "Sheet.h"
#include "SkChkLst.h"

#include <QPixmap>
#include <QWidget>

namespace {
// The list's widget as it paints itself.
void ShowWidget(TCanvas* canvas, const TRect& r, TControl* control) {
    TBitmap picture;
    picture.FromImage(control->Widget()->grab().toImage());
    canvas->Draw(r.Left, r.Top, &picture);
}

TSkCheckList* ActivityList(TForm* owner) {
    auto* list = new TSkCheckList(owner);
    list->SetParent(owner);
    list->SetBounds(0, 0, 200, 150);
    const char* items[] = {"慢跑 (未选)",     "游泳 (已选)",     "骑车 (灰色)",  "跳绳 (禁用未选)",
                           "爬山 (禁用已选)", "太极 (禁用灰色)", "瑜伽\t30 分钟"};
    for (const char* item : items)
        list->Items()->Add(QString::fromUtf8(item));
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed, cbUnchecked,
                                     cbChecked,   cbGrayed,  cbChecked};
    for (int i = 0; i < 7; ++i) {
        list->SetItemState(i, states[i]);
        if (i >= 3 && i <= 5) list->SetItemEnabled(i, false);
    }
    return list;
}
}  // namespace

void CheckListSheet(const QString& folder) {
    TSheet sheet(900, 400);
    TForm form(nullptr);
    sheet.Heading(QStringLiteral("Check list: states, disabled items, a selected row, a disabled list"));
    auto* plain = ActivityList(&form);
    sheet.Cell(QStringLiteral("items in every state"), 200, 150,
               [&](TCanvas* c, const TRect& r) { ShowWidget(c, r, plain); });
    auto* selected = ActivityList(&form);
    selected->SetItemIndex(1);
    sheet.Cell(QStringLiteral("second row selected"), 200, 150,
               [&](TCanvas* c, const TRect& r) { ShowWidget(c, r, selected); });
    auto* disabled = ActivityList(&form);
    disabled->SetEnabled(false);
    sheet.Cell(QStringLiteral("list disabled"), 200, 150,
               [&](TCanvas* c, const TRect& r) { ShowWidget(c, r, disabled); });
    auto* framed = ActivityList(&form);
    framed->SetItemFrameColor(clNavy);
    framed->SetHighlightColor(0x00A000);
    framed->SetItemFillColor(0xE8FFF8);
    sheet.Cell(QStringLiteral("frame navy, tick green"), 200, 150,
               [&](TCanvas* c, const TRect& r) { ShowWidget(c, r, framed); });
    sheet.Save(folder, QStringLiteral("checklist"));
}
