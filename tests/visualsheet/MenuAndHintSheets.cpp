// The visual sheet's menus and balloon hints: whole pop-up menus drawn by the menu controller in its
// colour styles and by the framework's own look, single items in every state, and balloons for every
// corner, alignment and the plain box, each cut to its window region.
#include "DeviceContext.h"
#include "Forms.h"
#include "ImgList.h"
#include "MenuWindow.h"
#include "Menus.h"
#include "Platform.h"
#include "SkBHints.h"
#include "SkCommon.h"
#include "Sheet.h"
#include "StdCtrls.h"

namespace {
// Copies an image onto the sheet; pixels outside `region` (when given) are left as the sheet is.
void Blit(TCanvas* c, const TRect& r, QImage image, const HRGN region = nullptr) {
    TDeviceContext source(&image);
    HDC dc = c->Handle();
    const int saved = dc->SaveDC();
    if (region) {
        HRGN clip = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(clip, region, nullptr, RGN_COPY);
        OffsetRgn(clip, r.Left, r.Top);
        dc->SelectClipRgn(clip);
        DeleteObject(clip);
    }
    dc->BitBlt(r.Left, r.Top, image.width(), image.height(), &source, 0, 0, SRCCOPY);
    dc->RestoreDC(saved);
}

// A form with one pop-up menu of every kind of item, optionally hooked by a menu controller.
struct TSampleMenu {
    TForm Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    TSkMenuController* Controller = nullptr;

    TMenuItem* Add(TMenuItem* parent, const QString& caption) {
        auto* item = new TMenuItem(&Form);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    }
    explicit TSampleMenu(bool controlled) {
        // Made first, the controller hooks each item as it is put on the form.
        if (controlled) Controller = new TSkMenuController(&Form);
        Menu->SetOwnerDraw(!controlled);
        Add(Menu->Items(), QStringLiteral("新建食谱(&N)"))->SetShortCut(scCtrl | 'N');
        Add(Menu->Items(), QStringLiteral("打开(&O)..."))->SetDefault(true);
        Add(Menu->Items(), QStringLiteral("-"));
        Add(Menu->Items(), QStringLiteral("蓝色皮肤"))->SetChecked(true);
        TMenuItem* pink = Add(Menu->Items(), QStringLiteral("粉色皮肤"));
        pink->SetRadioItem(true);
        pink->SetChecked(true);
        Add(Menu->Items(), QStringLiteral("检查更新"))->SetEnabled(false);
        TMenuItem* sub = Add(Menu->Items(), QStringLiteral("帮助(&H)"));
        Add(sub, QStringLiteral("在线帮助"));
        Add(Menu->Items(), QStringLiteral("保存(&S)"))->SetShortCut(scCtrl | 'S');
    }
    // The menu as its pop-up window paints it, with item `selected` selected.
    QImage Paint(int selected, bool noAccel = false) {
        QImage image;
        TMenuLevel(Menu->Items()).Paint(image, selected, noAccel);
        return image;
    }
};

void MenuCell(TSheet& sheet, const QString& caption, const QImage& image) {
    sheet.Cell(caption, image.width(), image.height(),
               [&](TCanvas* c, const TRect& r) { Blit(c, r, image); });
}
}  // namespace

void MenuSheet(const QString& folder) {
    TSheet sheet(1000, 1000);
    sheet.Heading(
        QStringLiteral("TSkMenuController: gcsSystem, gcsCustom, gcsMSOffice with themes, 256 colours"));
    {
        TSampleMenu m(true);
        MenuCell(sheet, QStringLiteral("gcsSystem, 保存 selected"), m.Paint(7));
        m.Controller->SetGradientColorStyle(gcsCustom);
        m.Controller->SetSelectionColorStart(0xE0F0FF);
        m.Controller->SetSelectionColorStop(0x80C0FF);
        m.Controller->SetSelectionFrameColor(0x0060C0);
        m.Controller->SetIconBarColorStart(0xFFF8F0);
        m.Controller->SetIconBarColorStop(0xE0C8B0);
        m.Controller->SetMenuColor(0xF8FCFF);
        MenuCell(sheet, QStringLiteral("gcsCustom, 蓝色皮肤 selected"), m.Paint(3));
        m.Controller->SetGradientColorStyle(gcsMSOffice);
        SetThemesActiveForTest(true);
        MenuCell(sheet, QStringLiteral("gcsMSOffice, themes, 新建 selected"), m.Paint(0));
        HighColorDisplay = false;
        MenuCell(sheet, QStringLiteral("256 colours"), m.Paint(0));
        HighColorDisplay = true;
        ResetPlatformProfile();
    }
    sheet.Heading(QStringLiteral("The framework's own look of owner-drawn items (no controller)"));
    {
        TSampleMenu m(false);
        MenuCell(sheet, QStringLiteral("none selected"), m.Paint(-1));
        MenuCell(sheet, QStringLiteral("打开 selected"), m.Paint(1));
        MenuCell(sheet, QStringLiteral("检查更新 (disabled) selected"), m.Paint(5));
    }
    sheet.Heading(QStringLiteral("Single items, 160 x 22, gcsSystem"));
    {
        TSampleMenu m(true);
        auto item = [&](const QString& caption, TMenuItem* it, TOwnerDrawState state, bool topLevel = false,
                        int height = 22) {
            sheet.Cell(caption, 160, height, [&](TCanvas* c, const TRect& r) {
                c->Font()->SetName(QString());
                c->Font()->SetSize(9);
                it->AdvancedDrawItem(c, r, state, topLevel);
                c->Font()->SetName(QStringLiteral("Tahoma"));
                c->Font()->SetHeight(-11);
            });
        };
        TMenuItem* plain = m.Menu->Items()->Items(0);
        item(QStringLiteral("normal"), plain, 0);
        item(QStringLiteral("selected"), plain, odSelected);
        item(QStringLiteral("no accelerators"), plain, odNoAccel);
        item(QStringLiteral("default"), m.Menu->Items()->Items(1), odDefault);
        item(QStringLiteral("checked"), m.Menu->Items()->Items(3), odChecked);
        item(QStringLiteral("checked, selected"), m.Menu->Items()->Items(3), odChecked | odSelected);
        item(QStringLiteral("radio, checked"), m.Menu->Items()->Items(4), odChecked);
        item(QStringLiteral("disabled"), m.Menu->Items()->Items(5), odDisabled | odGrayed);
        item(QStringLiteral("separator"), m.Menu->Items()->Items(2), 0, false, 3);
        auto* images = new TImageList(&m.Form);
        TBitmap glyph(16, 16);
        glyph.Canvas()->Brush()->SetColor(0x3070E0);
        glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
        glyph.Canvas()->Brush()->SetColor(clWhite);
        glyph.Canvas()->FillRect(Rect(4, 4, 12, 12));
        images->Add(&glyph);
        m.Menu->SetImages(images);
        plain->SetImageIndex(0);
        item(QStringLiteral("picture"), plain, 0);
        item(QStringLiteral("picture, selected"), plain, odSelected);
        m.Menu->SetImages(nullptr);
        auto* bar = new TMainMenu(&m.Form);
        TMenuItem* top = m.Add(bar->Items(), QStringLiteral("文件(&F)"));
        m.Controller->HookMenuItem(top);
        item(QStringLiteral("menu bar"), top, 0, true);
        item(QStringLiteral("menu bar, hot"), top, odHotLight, true);
    }
    sheet.Save(folder, QStringLiteral("menus"));
}

namespace {
// A form owned by the application with balloon hints and a label to point at, in the middle of the
// screen.
struct TBalloonStage {
    TForm* Form = new TForm(Application);
    TLabel* Target = new TLabel(Form);
    TSkBalloonHints* Hints = new TSkBalloonHints(Form);

    TBalloonStage() {
        Form->SetBounds(300, 300, 300, 200);
        Target->SetParent(Form);
        Target->SetAutoSize(false);
        Target->SetBounds(20, 20, 200, 100);
        Form->ShowForm();
    }
    ~TBalloonStage() { delete Form; }
    TSkCustomHintWindow* Window() { return dynamic_cast<TSkCustomHintWindow*>(Application->HintWindow()); }
    // Shows `text` as the application would with the mouse at the target's (100, 60).
    void Show(const QString& text) {
        THintInfo info;
        info.HintControl = Target;
        info.CursorPos = {100, 60};
        info.HintStr = text;
        bool canShow = true;
        Application->OnShowHint(info.HintStr, canShow, info);
        TSkCustomHintWindow* w = Window();
        TRect r = w->CalcHintRect(info.HintMaxWidth, info.HintStr, nullptr);
        w->ActivateHint(r, info.HintStr);
    }
    void Cell(TSheet& sheet, const QString& caption) {
        TSkCustomHintWindow* w = Window();
        const QImage image = w->PaintOffscreen().copy();
        HRGN region = w->ShowBalloon() ? TSkCustomHintWindow::CreateBalloonRegion(
                                             Rect(0, 0, w->Width(), w->Height()), w->CornerInUse())
                                       : nullptr;
        sheet.Cell(caption, image.width(), image.height(),
                   [&](TCanvas* c, const TRect& r) { Blit(c, r, image, region); });
        if (region) DeleteObject(region);
    }
};
}  // namespace

void BalloonSheet(const QString& folder) {
    TSheet sheet(900, 700);
    TBalloonStage stage;
    const QString text = QStringLiteral("点击查看 营养素含量合计");
    sheet.Heading(QStringLiteral("TSkBalloonHints: the four corners, no tail, the plain box"));
    const std::pair<TSkHintCorner, const char*> corners[] = {{hcUpperRight, "hcUpperRight"},
                                                             {hcUpperLeft, "hcUpperLeft"},
                                                             {hcLowerRight, "hcLowerRight"},
                                                             {hcLowerLeft, "hcLowerLeft"},
                                                             {hcNone, "hcNone"}};
    for (const auto& [corner, name] : corners) {
        stage.Hints->SetCorner(corner);
        stage.Show(text);
        stage.Cell(sheet, QString::fromLatin1(name));
    }
    stage.Hints->SetCorner(hcUpperRight);
    stage.Hints->SetShowBalloon(false);
    stage.Show(text);
    stage.Cell(sheet, QStringLiteral("ShowBalloon off"));
    stage.Hints->SetShowBalloon(true);

    sheet.Heading(QStringLiteral("Alignment in a 100-pixel caption width; the main window's settings"));
    const QString longText = QStringLiteral("输入食物名称或拼音首字母，如“DM”");
    stage.Hints->SetAlignment(taRightJustify);
    stage.Show(longText);
    stage.Cell(sheet, QStringLiteral("taRightJustify"));
    stage.Hints->SetAlignment(taCenter);
    stage.Show(longText);
    stage.Cell(sheet, QStringLiteral("taCenter"));
    stage.Hints->SetAlignment(taLeftJustify);
    stage.Hints->SetCaptionWidth(200);
    stage.Hints->SetFrameColor(0x0080FF);
    TFont blue;
    blue.SetHeight(-14);
    blue.SetColor(clBlue);
    stage.Hints->SetFont(blue);
    stage.Show(longText);
    stage.Cell(sheet, QStringLiteral("width 200, frame $0080FF, blue 14 px"));
    Application->CancelHint();
    sheet.Save(folder, QStringLiteral("balloons"));
}
