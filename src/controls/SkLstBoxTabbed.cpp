// The tabbed list box: columns at tab stops, set by hand, measured from the items or taken from a
// header.
#include "SkLstBox.h"

#include "GraphicsImage.h"
#include "HeaderControl.h"
#include "Streaming.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The window places text at 16-bit signed coordinates; a stop beyond them would wrap round.
constexpr int MaxTabPixel = 32767;

struct TTabbedSegment {
    QString Text;
    int X;  // from the text's origin
};

// Lays out a TAB-separated text: each TAB goes on to the first stop (in pixels) past the text so
// far, or on to the next multiple of DefaultTab past the last stop; a negative stop ends its column
// there, right-aligned. Extent is the width of the whole.
std::vector<TTabbedSegment> LayoutTabbed(const QString& Text, const std::vector<int>& Stops, int DefaultTab,
                                         const std::function<int(const QString&)>& WidthOf, int& Extent) {
    std::vector<TTabbedSegment> segments;
    int x = 0;
    const QStringList parts = Text.split(QLatin1Char('\t'));
    for (int i = 0; i < parts.size(); ++i) {
        const int width = WidthOf(parts[i]);
        if (i == 0) {
            segments.push_back({parts[i], 0});
            x = width;
            continue;
        }
        int position = -1;
        bool right = false;
        for (int stop : Stops)
            if (std::abs(stop) > x) {
                position = std::abs(stop);
                right = stop < 0;
                break;
            }
        if (position < 0) {
            const int tab = std::max(1, DefaultTab);
            position = (x / tab + 1) * tab;
        }
        if (right) {
            segments.push_back({parts[i], std::max(x, position - width)});
            x = std::max(position, x + width);
        } else {
            segments.push_back({parts[i], position});
            x = position + width;
        }
    }
    Extent = x;
    return segments;
}

}  // namespace

// Tab stop list -------------------------------------------------------------------------------------------

TSkTabStopList::TSkTabStopList(TSkCustomTabbedListBox* ListBox) : FListBox(ListBox) {
    SetMin(-2147483647);
    SetMax(2147483647);
}

void TSkTabStopList::Changed() {
    if (FUpdating == 0 && FListBox) FListBox->TabStopsChanged();
}

void TSkTabStopList::EndUpdate() {
    if (FUpdating > 0 && --FUpdating == 0) Changed();
}

void TSkTabStopList::InsertItem(int Index, int Value) {
    TSkIntegerList::InsertItem(Index, Value);
    Changed();
}

void TSkTabStopList::PutItem(int Index, int Value) {
    TSkIntegerList::PutItem(Index, Value);
    Changed();
}

void TSkTabStopList::Clear() {
    TSkIntegerList::Clear();
    Changed();
}

void TSkTabStopList::Delete(int Index) {
    TSkIntegerList::Delete(Index);
    Changed();
}

void TSkTabStopList::Exchange(int Index1, int Index2) {
    TSkIntegerList::Exchange(Index1, Index2);
    Changed();
}

void TSkTabStopList::Move(int CurIndex, int NewIndex) {
    TSkIntegerList::Move(CurIndex, NewIndex);
    Changed();
}

// Tabbed list box -------------------------------------------------------------------------------------------

TSkCustomTabbedListBox::TSkCustomTabbedListBox(TComponent* AOwner) : TSkCustomListBox(AOwner) {
    SetShowItemHints(false);
    FTabStops = std::make_unique<TSkTabStopList>(this);
    FAvgCharWidth = std::max(1, GetAvgCharWidth(Font()));
    ApplyTabStops();
}

TSkCustomTabbedListBox::~TSkCustomTabbedListBox() = default;

void TSkCustomTabbedListBox::TabStopsChanged() {
    ApplyTabStops();
}

void TSkCustomTabbedListBox::GetTabStops(int& Count, std::vector<int>& Stops) const {
    Count = std::min(FTabStops->Count(), MaxTabStops);
    Stops.resize(Count);
    // Each stop as far as the window can place it: beyond 16-bit pixel positions it would wrap
    // round (and four times a large stop would not fit an integer at all).
    const int limit = MaxTabPixel / std::max(1, FAvgCharWidth);
    for (int i = 0; i < Count; ++i)
        Stops[i] = std::clamp(FTabStops->Items(i), -limit, limit) * 4;
}

void TSkCustomTabbedListBox::ApplyTabStops() {
    int count = 0;
    GetTabStops(count, FWindowTabStops);
    if (HorzScrollBar()) UpdateHorzExtent();
    InvalidateItems();
}

std::vector<int> TSkCustomTabbedListBox::PixelTabStops() const {
    std::vector<int> pixels;
    pixels.reserve(FWindowTabStops.size());
    for (int quarter : FWindowTabStops)
        pixels.push_back(int(std::lround(double(quarter) * FAvgCharWidth / 4.0)));
    return pixels;
}

void TSkCustomTabbedListBox::SetTabStopsMode(TSkTabStopsMode Value) {
    FTabStopsMode = Value;
    if (Value == tsmAutomatic) UpdateAutomaticTabStops();
}

QStringList TSkCustomTabbedListBox::ColumnsOf(int Row, int Column) const {
    auto* self = const_cast<TSkCustomTabbedListBox*>(this);
    if (Row < 0 || Row >= self->Count()) throw EListError(QStringLiteral("Row parameter out of range"));
    QStringList columns = self->Items()->Strings(Row).split(QLatin1Char('\t'));
    if (Column < 0 || Column >= columns.size())
        throw EListError(QStringLiteral("Column parameter out of range"));
    return columns;
}

QString TSkCustomTabbedListBox::GetItemColumn(int Row, int Column) const {
    return ColumnsOf(Row, Column)[Column];
}

void TSkCustomTabbedListBox::SetItemColumn(int Row, int Column, const QString& Value) {
    QStringList columns = ColumnsOf(Row, Column);
    columns[Column] = Value;
    Items()->SetStrings(Row, columns.join(QLatin1Char('\t')));
}

void TSkCustomTabbedListBox::UpdateAutomaticTabStops() {
    if (ComponentState() & (csLoading | csDestroying)) return;
    // Every column gets a stop after its widest text, the last one too.
    QStringList rest;
    int columns = 0;
    for (int i = 0; i < Count(); ++i) {
        rest << Items()->Strings(i);
        columns = std::max(columns, int(rest.back().count(QLatin1Char('\t'))) + 1);
    }
    if (columns == 1) columns = 0;  // no TAB anywhere: no columns to line up
    TBitmap measure;
    TCanvas* canvas = measure.Canvas();
    FTabStops->BeginUpdate();
    FTabStops->Clear();
    int previous = 0;
    for (int c = 0; c < columns; ++c) {
        int widest = 0;
        canvas->Font()->Assign(*Font());
        bool headerFont = false;
        for (int i = 0; i < rest.size(); ++i) {
            const int tab = rest[i].indexOf(QLatin1Char('\t'));
            QString column = tab < 0 ? rest[i] : rest[i].left(tab);
            rest[i] = tab < 0 ? QString() : rest[i].mid(tab + 1);
            const bool header = ShowGroups() && IsGroupItem(i);
            // The font changes only between headers and items, not for every row.
            if (header != headerFont) {
                canvas->Font()->Assign(header ? *GroupFont() : *Font());
                headerFont = header;
            }
            if (header && c == 0) column = column.mid(GroupPrefix().size());
            int width = canvas->TextWidth(column);
            if (c == 0 && !header) width += GetExtraFirstColumnWidth();
            widest = std::max(widest, width);
        }
        previous = widest / FAvgCharWidth + previous + 4;
        FTabStops->Add(previous);
    }
    FTabStops->EndUpdate();
}

void TSkCustomTabbedListBox::UpdateFromHeader(TComponent* Header) {
    auto* control = dynamic_cast<THeaderControl*>(Header);
    auto* header = dynamic_cast<THeader*>(Header);
    if (!control && !header)
        throw EHeaderError(QStringLiteral("Only THeader and THeaderControl components can be passed to "
                                          "TSkCustomTabbedListBox.UpdateFromHeader"));
    const THeaderSectionsControl* sections = control ? static_cast<THeaderSectionsControl*>(control) : header;
    // The older header leaves its last section without a stop.
    const int last = std::min(sections->SectionCount() - (control ? 1 : 2), FTabStops->Count() - 1);
    FTabStops->BeginUpdate();
    int sum = 0;
    for (int i = 0; i <= last; ++i) {
        sum += sections->SectionWidth(i);
        if (FTabStops->Items(i) >= 0)
            FTabStops->SetItems(i, sum / FAvgCharWidth + 1);
        else if (i + 1 < sections->SectionCount())
            // Right-aligned at the far edge of the next section.
            FTabStops->SetItems(i, 1 - (sum + sections->SectionWidth(i + 1) + 1) / FAvgCharWidth);
        else
            FTabStops->SetItems(i, 1 - sections->Width() / FAvgCharWidth);
    }
    FTabStops->EndUpdate();
}

void TSkCustomTabbedListBox::DrawTabbedText(const QString& Text, const TRect& Rect) {
    TCanvas* canvas = Canvas();
    const int top = Rect.Top + (ItemHeight() - canvas->TextHeight(QStringLiteral("Pp"))) / 2;
    int extent = 0;
    const auto segments = LayoutTabbed(
        Text, PixelTabStops(), 8 * FAvgCharWidth, [canvas](const QString& s) { return canvas->TextWidth(s); },
        extent);
    canvas->IntersectClipRect(Rect);
    canvas->Brush()->SetStyle(bsClear);
    for (const TTabbedSegment& segment : segments)
        if (!segment.Text.isEmpty()) canvas->TextOut(Rect.Left + 2 + segment.X, top, segment.Text);
    canvas->Brush()->SetStyle(bsSolid);
}

void TSkCustomTabbedListBox::DrawItemText(int Index, const TRect& Rect, TOwnerDrawState) {
    Canvas()->FillRect(Rect);
    if (Index < 0 || Index >= Count()) return;
    DrawTabbedText(Items()->Strings(Index), Rect);
}

void TSkCustomTabbedListBox::DrawGroupItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    PaintGroupBackground(Rect, State);
    DrawTabbedText(DisplayText(Index), Rect);
}

int TSkCustomTabbedListBox::ItemTextExtent(const TTextMeasurer& Measure, const QString& Text) {
    int extent = 0;
    LayoutTabbed(
        Text, PixelTabStops(), 8 * FAvgCharWidth, [&Measure](const QString& s) { return Measure.AdvanceWidth(s); },
        extent);
    return extent;
}

// Automatic stops are measured anew, and setting them measures the extent as well; while loading or
// destroying there are no stops to measure, so the extent follows the items alone.
void TSkCustomTabbedListBox::ItemsChanged() {
    if (FTabStopsMode == tsmAutomatic && !(ComponentState() & (csLoading | csDestroying)))
        UpdateAutomaticTabStops();
    else
        TSkCustomListBox::ItemsChanged();
}

void TSkCustomTabbedListBox::FontChanged() {
    FAvgCharWidth = std::max(1, GetAvgCharWidth(Font()));
    TSkCustomListBox::FontChanged();
    if (FTabStopsMode == tsmAutomatic)
        UpdateAutomaticTabStops();
    else
        ApplyTabStops();
}

void TSkCustomTabbedListBox::Loaded() {
    TSkCustomListBox::Loaded();
    if (FTabStopsMode == tsmAutomatic)
        UpdateAutomaticTabStops();
    else
        ApplyTabStops();
}

void TSkCustomTabbedListBox::DefineProperties(TFiler* Filer) {
    TSkCustomListBox::DefineProperties(Filer);
    // Written only when the list holds a stop; always readable.
    if (FTabStops->Count() > 0 || dynamic_cast<TReader*>(Filer))
        FTabStops->DefineIntegerProperties(Filer, QStringLiteral("TabStops."), false);
}
