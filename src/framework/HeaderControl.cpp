#include "HeaderControl.h"

#include "FrameControls.h"
#include "SysUtils.h"

#include <algorithm>

THeaderSectionsControl::THeaderSectionsControl(TComponent* AOwner) : TCustomControl(AOwner) {
    SetOffscreenPaint(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 250, 17);
}

int THeaderSectionsControl::SectionWidth(int Index) const {
    if (Index < 0 || Index >= SectionCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FSections[Index].Width;
}

void THeaderSectionsControl::SetSectionWidth(int Index, int Width) {
    SectionWidth(Index);  // checks the index
    FSections[Index].Width = std::max(0, Width);
    Invalidate();
}

QString THeaderSectionsControl::SectionText(int Index) const {
    SectionWidth(Index);
    return FSections[Index].Text;
}

void THeaderSectionsControl::AddSection(const QString& Text, int Width) {
    FSections.push_back({Text, std::max(0, Width)});
    Invalidate();
}

void THeaderSectionsControl::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(Rect(0, 0, Width(), Height()));
    int x = 0;
    for (const TSection& section : FSections) {
        TRect r = Rect(x, 0, x + section.Width, Height());
        if (HDC dc = canvas->Handle()) DrawEdge(dc, r, EDGE_RAISED, BF_RECT);
        TRect text = Rect(r.Left + 4, r.Top, r.Right - 4, r.Bottom);
        canvas->Brush()->SetStyle(bsClear);
        canvas->DrawText(section.Text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        canvas->Brush()->SetStyle(bsSolid);
        x += section.Width;
    }
}
