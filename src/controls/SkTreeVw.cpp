#include "SkTreeVw.h"

#include "FocusWithin.h"
#include "Streaming.h"

#include <vector>

namespace {
struct TRegistration {
    TRegistration() {
        RegisterSkCommonTypes();
        RegisterClass<TSkTreeView>();
    }
} gRegistration;

// Each leading TAB or blank is one level.
int LineLevel(const QString& line, int& textStart) {
    textStart = 0;
    while (textStart < line.size() && (line[textStart] == u'\t' || line[textStart] == u' '))
        ++textStart;
    return textStart;
}
}  // namespace

TSkCustomTreeView::TSkCustomTreeView(TComponent* AOwner) : TSkFramedControl<TCustomTreeView>(AOwner) {
    FSelectionPen.SetColor(clBtnShadow);
    FSelectionPen.OnChange = [this](TObject*) { Invalidate(); };
}

TSkCustomTreeView::~TSkCustomTreeView() {
    FSelectionPen.OnChange = nullptr;
}

TTreeNode* TSkCustomTreeView::Selected() const {
    if (RightClickSelect() && FRClickNode) return FRClickNode;
    return TCustomTreeView::Selected();
}

void TSkCustomTreeView::FullCollapse() {
    const bool autoSelect = FAutoSelect;
    FAutoSelect = false;
    TCustomTreeView::FullCollapse();
    FAutoSelect = autoSelect;
}

void TSkCustomTreeView::SetAutoExpand(bool Value) {
    TCustomTreeView::SetAutoExpand(Value);
    if (Value) FAutoSelect = false;
}

void TSkCustomTreeView::SetAutoSelect(bool Value) {
    if (!StoreChanged(FAutoSelect, Value)) return;
    if (Value) TCustomTreeView::SetAutoExpand(false);
}

void TSkCustomTreeView::SetItemHeight(int Value) {
    if (!StoreChanged(FItemHeight, Value)) return;
    ApplyItemHeight();
}

void TSkCustomTreeView::ApplyItemHeight() {
    if (FItemHeight < 1) FItemHeight = 0;
    SetFixedRowHeight(FItemHeight);
}

void TSkCustomTreeView::SetSelectionPen(TPen* Value) {
    if (Value) FSelectionPen.Assign(*Value);
    Invalidate();
}

// Text lines -----------------------------------------------------------------------------------------

void TSkCustomTreeView::LoadFromStrings(TStringList* Strings) {
    TTreeNodes* items = Items();
    items->BeginUpdate();
    // The tree repaints again even when a handler raises half-way.
    struct TUpdateGuard {
        TTreeNodes* Items;
        ~TUpdateGuard() { Items->EndUpdate(); }
    } guard{items};
    items->Clear();
    // The path from a root to the last node added, with the level each line gave it.
    struct TStep {
        int Level;
        TTreeNode* Node;
    };
    std::vector<TStep> path;
    for (int i = 0; i < Strings->Count(); ++i) {
        const QString& line = Strings->Strings(i);
        int textStart = 0;
        const int level = LineLevel(line, textStart);
        while (!path.empty() && path.back().Level >= level)
            path.pop_back();
        TTreeNode* parent = path.empty() ? nullptr : path.back().Node;
        path.push_back({level, items->AddChild(parent, line.mid(textStart))});
    }
}

void TSkCustomTreeView::SaveToStrings(TStringList* Strings) {
    TTreeNodes* items = Items();
    for (int i = 0; i < items->Count(); ++i) {
        const QString text = items->Item(i)->Text();
        if (!text.isEmpty() && (text[0] == u' ' || text[0] == u'\t'))
            throw ETreeViewError(
                QStringLiteral("Item \"%1\" begins with a blank or a tab and cannot be saved as a line")
                    .arg(text));
    }
    for (int i = 0; i < items->Count(); ++i) {
        const TTreeNode* node = items->Item(i);
        Strings->Add(QString(node->Level(), u'\t') + node->Text());
    }
}

// Nodes opening and closing, the selection outline ------------------------------------------------------

void TSkCustomTreeView::Expand(TTreeNode* Node) {
    TCustomTreeView::Expand(Node);
    if (FAutoSelect) SetSelected(Node);
}

void TSkCustomTreeView::Collapse(TTreeNode* Node) {
    if (FAutoSelect) SetSelected(Node);
    TCustomTreeView::Collapse(Node);
}

void TSkCustomTreeView::NodePainted(TTreeNode* Node, const TRect&, bool) {
    if (HideSelection() || FocusWithin(this) || Node != TCustomTreeView::Selected()) return;
    TCanvas* canvas = Canvas();
    canvas->Pen()->Assign(FSelectionPen);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(Node->DisplayRect(true));
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
}

// Context menus ------------------------------------------------------------------------------------

void TSkCustomTreeView::NodeContextMenu(TTreeNode* Node, TPoint Pos) {
    TPopupMenu* menu = PopupMenu();
    struct TClear {
        TTreeNode*& Node;
        ~TClear() { Node = nullptr; }
    } clear{FRClickNode};
    FRClickNode = Node;
    FireEvent(OnNodeContextMenu, this, Node, Pos, menu);
    if (!menu) return;
    menu->SetPopupComponent(this);
    const TPoint screen = ClientToScreen(Pos);
    menu->Popup(screen.X, screen.Y);
}

void TSkCustomTreeView::WMContextMenu(TWMPosition& Message) {
    if (ComponentState() & csDesigning) {
        TCustomTreeView::WMContextMenu(Message);
        return;
    }
    // Taken here in every case, so the tree's own menu does not pop up a second time.
    const TPoint pos = ScreenToClient({Message.XPos, Message.YPos});
    TTreeNode* node = GetNodeAt(pos.X, pos.Y);
    if (!node) node = TCustomTreeView::Selected();
    NodeContextMenu(node, pos);
}

void TSkCustomTreeView::WMKeyDown(TWMKey& Message) {
    const TShiftState shift = KeyDataShift(Message.KeyData);
    const bool apps = Message.CharCode == VK_APPS && !(shift & (ssShift | ssCtrl | ssAlt));
    const bool shiftF10 = Message.CharCode == VK_F10 && (shift & ssShift);
    if (!apps && !shiftF10) {
        TCustomTreeView::WMKeyDown(Message);
        return;
    }
    if (TTreeNode* node = TCustomTreeView::Selected()) {
        const TRect r = node->DisplayRect(true);
        NodeContextMenu(node, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    } else if (TPopupMenu* menu = PopupMenu()) {
        menu->SetPopupComponent(this);
        const TPoint screen = ClientToScreen({0, 0});
        menu->Popup(screen.X, screen.Y);
    }
}

// Frame block ----------------------------------------------------------------------------------------

bool TSkCustomTreeView::DrawsFrame() const {
    TFrameStyleEx style;
    TColor color;
    TSides sides;
    return FrameToDraw(style, color, sides, false);
}

void TSkCustomTreeView::FrameVisibleChanged() {
    RecalcNonClientArea();
    Invalidate();
}

void TSkCustomTreeView::WMNCCalcSize(TWMNCCalcSize& Message) {
    if (!DrawsFrame()) {
        TCustomTreeView::WMNCCalcSize(Message);
        return;
    }
    InflateRect(*Message.CalcRect, -2, -2);
}

void TSkCustomTreeView::WMNCPaint(TWMPaint& Message) {
    TFrameStyleEx style;
    TColor color;
    TSides sides;
    if (!Message.DC || !FrameToDraw(style, color, sides, false)) {
        TCustomTreeView::WMNCPaint(Message);
        return;
    }
    TCanvas canvas;
    canvas.BeginPaint(Message.DC);
    DrawControlFrame(&canvas, Width(), Height(), style, Color(), color, sides);
    canvas.EndPaint();
}

void TSkCustomTreeView::Loaded() {
    TSkFramedControl<TCustomTreeView>::Loaded();
    ApplyItemHeight();
}
