// The visual sheet's page: cells of drawings in rows, each captioned, saved as PNG (also three times
// enlarged); and the sheets that live in files of their own.
#pragma once

#include "Controls.h"
#include "GraphicsImage.h"
#include "SkGrafx.h"
#include "pngpicture.h"

#include <QString>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <memory>

// A white page with cells in rows; each cell gets a caption under its drawing.
class TSheet {
public:
    TSheet(int width, int height) : FBitmap(width, height) {
        FCanvas->Brush()->SetColor(clBtnFace);
        FCanvas->FillRect(Rect(0, 0, width, height));
        FCanvas->Font()->SetName(QStringLiteral("Tahoma"));
        FCanvas->Font()->SetHeight(-11);
    }
    TCanvas* Canvas() { return FCanvas; }
    // Draws a cell of w x h at the next place in the row, captioned.
    void Cell(const QString& caption, int w, int h, const std::function<void(TCanvas*, const TRect&)>& draw) {
        if (FX + w + 8 > FBitmap.Width()) NewRow();
        const TRect r = Bounds(FX, FY, w, h);
        draw(FCanvas, r);
        FCanvas->Brush()->SetStyle(bsClear);
        FCanvas->Font()->SetColor(clBlack);
        FCanvas->TextOut(FX, FY + h + 2, caption);
        FCanvas->Brush()->SetStyle(bsSolid);
        const int captionWidth = FCanvas->TextWidth(caption);
        FX += std::max(w, captionWidth) + 12;
        FRowHeight = std::max(FRowHeight, h + 18);
    }
    void NewRow() {
        FX = 8;
        FY += FRowHeight + 6;
        FRowHeight = 0;
    }
    void Heading(const QString& text) {
        if (FX > 8) NewRow();
        FCanvas->Brush()->SetStyle(bsClear);
        FCanvas->Font()->SetStyle(FontStyle(fsBold));
        FCanvas->TextOut(8, FY, text);
        FCanvas->Font()->SetStyle(0);
        FCanvas->Brush()->SetStyle(bsSolid);
        FY += 18;
    }
    void Save(const QString& folder, const QString& name) {
        const int height = std::min(FBitmap.Height(), FY + FRowHeight + 8);
        TBitmap page(FBitmap.Width(), height);
        page.Canvas()->CopyRect(Rect(0, 0, FBitmap.Width(), height), FCanvas,
                                Rect(0, 0, FBitmap.Width(), height));
        SavePng(page, folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        TBitmap large(page.Width() * 3, page.Height() * 3);
        large.Canvas()->StretchDraw(Rect(0, 0, large.Width(), large.Height()), &page);
        SavePng(large, folder + QLatin1Char('/') + name + QStringLiteral("-x3.png"));
    }

private:
    static void SavePng(const TBitmap& bitmap, const QString& file) {
        TPngPicture png;
        png.AssignFromBitmap(&bitmap, false, clNone);
        png.SaveToFile(file);
    }
    TBitmap FBitmap;
    TCanvas* FCanvas = FBitmap.Canvas();
    int FX = 8, FY = 8, FRowHeight = 0;
};

// Paints a control off screen and puts its picture into the cell.
inline void Show(TCanvas* canvas, const TRect& r, TCustomControl* control) {
    TBitmap picture;
    picture.FromImage(control->PaintOffscreen());
    canvas->Draw(r.Left, r.Top, &picture);
}

// The control as it shows on screen, its children and a native widget's frame included.
inline void ShowOnScreen(TCanvas* canvas, const TRect& r, TControl* control) {
    TBitmap picture;
    picture.FromImage(control->Widget()->grab().toImage());
    canvas->Draw(r.Left, r.Top, &picture);
}

// A parent of one colour, or with a gradient behind its children.
inline std::unique_ptr<TPaintBox> MakeParent(TColor color, bool gradient = false) {
    auto parent = std::make_unique<TPaintBox>(nullptr);
    parent->SetColor(color);
    parent->SetBounds(0, 0, 400, 200);
    if (gradient)
        parent->OnPaint = [box = parent.get()](TObject*) {
            PaintGradient(box->Canvas(), Rect(0, 0, 400, 200), gdHorizontalEnd, clWhite, 0xC08040, 1);
        };
    return parent;
}

template <class TControlClass> TControlClass* Child(TPaintBox* parent, int width, int height) {
    auto* control = new TControlClass(parent);
    control->SetParent(parent);
    control->SetBounds(0, 0, width, height);
    return control;
}

// The status pane, the line and the separator in their states.
void StatusLineSeparatorSheet(const QString& folder);
// Menus drawn by the menu controller and by the framework, and balloon hints.
void MenuSheet(const QString& folder);
void BalloonSheet(const QString& folder);
// Push buttons; check boxes and radio buttons, in their looks and states.
void ButtonSheet(const QString& folder);
void CheckRadioSheet(const QString& folder);
// Styled panels and group boxes, dock sites' caption bars and the symbol font's glyphs.
void PanelSheet(const QString& folder);
// Tab strips on every side in every shape, and page controls.
void TabSheet(const QString& folder);
// List boxes with group headers and frames, and tabbed list boxes.
void ListBoxSheet(const QString& folder);
// Check lists with items in every state.
void CheckListSheet(const QString& folder);
// The framed edit, memo and rich edit in their states.
void EditSheet(const QString& folder);
// String grids, data grids and trees with Chinese rows, framed and in their colours.
void GridsTreeSheet(const QString& folder);
// The month calendar in several months and states.
void CalendarSheet(const QString& folder);
// The calculator and the time picker, also open at an edit.
void PopupSheet(const QString& folder);
// The spinner in its states.
void SpinnerSheet(const QString& folder);
// The styled combo box in every state.
void ComboSheet(const QString& folder);
// The numeric and date/time edits in their states and with their drop-downs open.
void ValueEditSheet(const QString& folder);
