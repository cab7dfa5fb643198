#include "SkDBGrid.h"

#include "ADODB.h"
#include "Streaming.h"
#include "TypInfo.h"

#include <algorithm>
#include <optional>

namespace {
struct TRegistration {
    TRegistration() {
        RegisterSkCommonTypes();
        RegisterEnumType<TSkQuickCompareOperation>({"qcoEqual", "qcoLessThan", "qcoLessThanOrEqual",
                                                    "qcoGreaterThan", "qcoGreaterThanOrEqual",
                                                    "qcoNotEqual"});
        RegisterClass<TSkDBGrid>();
    }
} gRegistration;

bool IsText(const QVariant& v) {
    return v.typeId() == QMetaType::QString;
}

// A number, or a text that reads as one.
std::optional<double> NumberOf(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return v.toDouble();
    case QMetaType::QString: {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        return ok ? std::optional<double>(d) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// -1, 0 or 1; nothing when the two cannot be compared.
std::optional<int> CompareValues(const QVariant& a, const QVariant& b) {
    if (IsText(a) && IsText(b)) {
        const int c = QString::compare(a.toString(), b.toString());
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    const std::optional<double> x = NumberOf(a), y = NumberOf(b);
    if (x && y) return *x < *y ? -1 : *x > *y ? 1 : 0;
    if (a.typeId() != b.typeId()) return std::nullopt;
    const QPartialOrdering order = QVariant::compare(a, b);
    if (order == QPartialOrdering::Less) return -1;
    if (order == QPartialOrdering::Greater) return 1;
    if (order == QPartialOrdering::Equivalent) return 0;
    return std::nullopt;
}
}  // namespace

bool QuickCompareMatches(const QVariant& Value, TSkQuickCompareOperation Operation,
                         const QVariant& Reference) {
    if (!Value.isValid() || !Reference.isValid() || Value.isNull() || Reference.isNull()) return false;
    const std::optional<int> order = CompareValues(Value, Reference);
    if (!order) return false;
    switch (Operation) {
    case qcoEqual:
        return *order == 0;
    case qcoLessThan:
        return *order < 0;
    case qcoLessThanOrEqual:
        return *order <= 0;
    case qcoGreaterThan:
        return *order > 0;
    case qcoGreaterThanOrEqual:
        return *order >= 0;
    case qcoNotEqual:
        return *order != 0;
    }
    return false;
}

// The rule ----------------------------------------------------------------------------------------------

void TSkDBGridQuickCompare::Assign(TPersistent* Source) {
    auto* source = dynamic_cast<TSkDBGridQuickCompare*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    FActive = source->FActive;
    FFieldName = source->FFieldName;
    FFieldValue = source->FFieldValue;
    FOperation = source->FOperation;
    FColor = source->FColor;
    FFontColor = source->FFontColor;
    Repaint();
}

void TSkDBGridQuickCompare::SetFieldValue(const QVariant& Value) {
    if (Value == FFieldValue && Value.isNull() == FFieldValue.isNull()) return;
    FFieldValue = Value;
    Repaint();
}

void TSkDBGridQuickCompare::Repaint() {
    FGrid->Invalidate();
}

// The grid ----------------------------------------------------------------------------------------------

TSkDBGrid::TSkDBGrid(TComponent* AOwner) : TSkFramedGrid<TDBGrid>(AOwner) {}

void TSkDBGrid::SetAltRowShading(bool Value) {
    if (StoreChanged(FAltRowShading, Value)) Invalidate();
}

void TSkDBGrid::SetAltRowShadingColor(TColor Value) {
    if (StoreChanged(FAltRowShadingColor, Value)) Invalidate();
}

void TSkDBGrid::SetAltRowShadingFixed(bool Value) {
    if (StoreChanged(FAltRowShadingFixed, Value)) Invalidate();
}

void TSkDBGrid::SetDefaultDrawing(bool Value) {
    if (StoreChanged(FDefaultDrawing, Value)) Invalidate();
}

bool TSkDBGrid::HighlightCell(TGridDrawState State) const {
    return (State & gdSelected) &&
           (!(State & gdFocused) || HasOption(goDrawFocusSelected) || HasOption(goRowSelect));
}

bool TSkDBGrid::RowShaded(int Record) const {
    if (FAltRowShadingFixed) return (Record - TopRecord()) % 2 == 0;
    return (Record + 1) % 2 == 1;
}

bool TSkDBGrid::QuickCompareMatch(int Record) const {
    if (!FQuickCompare.Active() || FQuickCompare.FieldName().isEmpty()) return false;
    TADOQuery* query = DataSource() ? DataSource()->DataSet() : nullptr;
    const TField* field = query && query->Active() ? query->FindField(FQuickCompare.FieldName()) : nullptr;
    if (!field) return false;
    return QuickCompareMatches(query->Value(Record, field->Index()), FQuickCompare.Operation(),
                               FQuickCompare.FieldValue());
}

void TSkDBGrid::DrawDataCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State,
                             int Record) {
    TCanvas* canvas = Canvas();
    bool recoloured = false;
    if (FAltRowShading && RowShaded(Record)) {
        canvas->Brush()->SetColor(HighlightCell(State) ? clHighlight : FAltRowShadingColor);
        recoloured = true;
    }
    if (QuickCompareMatch(Record)) {
        canvas->Brush()->SetColor(FQuickCompare.Color());
        canvas->Font()->SetColor(FQuickCompare.FontColor());
        recoloured = true;
    }
    if (recoloured) canvas->FillRect(Rect);
    if (!FDefaultDrawing && OnDrawColumnCell)
        DrawColumnCell(Rect, DataCol, Column, State);
    else
        DefaultDrawColumnCell(Rect, DataCol, Column, State);
}

bool TSkDBGrid::VertScrollAction(TGridScrollAction Action, int Position) {
    TADOQuery* query = DataSource() ? DataSource()->DataSet() : nullptr;
    if (!query || !query->Active() || query->RecordCount() == 0) return false;
    // The grid takes the focus first, as a click on it does.
    if (CanFocus() && !Focused()) SetFocus();
    const int count = query->RecordCount();
    auto moveBy = [&](int rows) { query->SetRecNo(std::clamp(query->RecNo() + rows, 1, count)); };
    switch (Action) {
    case saLineUp:
        moveBy(-1);
        break;
    case saLineDown:
        moveBy(1);
        break;
    case saPageUp:
        moveBy(-VisibleRowCount());
        break;
    case saPageDown:
        moveBy(VisibleRowCount());
        break;
    case saTop:
        query->First();
        break;
    case saBottom:
        query->Last();
        break;
    case saThumb:
        if (Position <= 1)
            query->First();
        else if (Position < count)
            query->SetRecNo(Position);
        else
            query->Last();
        break;
    }
    return true;
}
