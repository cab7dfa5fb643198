// The list boxes: the framework's list with the library's frame block, group header items, typed
// incremental search, hints for items wider than the list, a horizontal scroll bar as wide as the
// widest item and an owner-draw indent; and the tabbed list box, whose TAB-separated columns line up
// at tab stops set by hand, measured from the items or taken from a header.
#pragma once

#include "ExtCtrls.h"
#include "SkGridsFraming.h"
#include "SkIntLst.h"
#include "StdCtrls.h"

#include <memory>
#include <vector>

class THintWindow;
class TBitmap;

class TSkCustomListBox : public TSkFramedControl<TListBox> {
    Q_OBJECT
public:
    explicit TSkCustomListBox(TComponent* AOwner);
    ~TSkCustomListBox() override;

    // The frame is hot: the mouse is over the list.
    bool MouseOverFrame() const { return MouseOver(); }
    // The frame takes the list's non-client area: switching it re-creates that area.
    void SetFramingPreference(TFramingPreference Value) override;
    void RepaintFrame() override { Invalidate(); }

    // Search and keys -----------------------------------------------------------------------------
    bool IncrementalSearch() const { return FIncrementalSearch; }
    void SetIncrementalSearch(bool Value) { FIncrementalSearch = Value; }
    bool BeepOnInvalidKey() const { return FBeepOnInvalidKey; }
    void SetBeepOnInvalidKey(bool Value) { FBeepOnInvalidKey = Value; }
    // The characters typed so far.
    QString SearchString() const { return FSearchString; }
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }

    // Layout --------------------------------------------------------------------------------------
    int HorzExtent() const { return FHorzExtent; }
    virtual void SetHorzExtent(int Value);
    bool HorzScrollBar() const { return FHorzScrollBar; }
    virtual void SetHorzScrollBar(bool Value);
    int OwnerDrawIndent() const { return FOwnerDrawIndent; }
    virtual void SetOwnerDrawIndent(int Value);
    bool ShowItemHints() const { return FShowItemHints; }
    void SetShowItemHints(bool Value) { FShowItemHints = Value; }
    // The hint over an item wider than the list; nullptr until one was needed.
    THintWindow* ItemHintWindow() const { return FItemHintWindow.get(); }

    // Group headers -------------------------------------------------------------------------------
    bool UseGradients() const { return FUseGradients; }
    virtual void SetUseGradients(bool Value);
    TColor GroupColor() const { return FGroupColor; }
    virtual void SetGroupColor(TColor Value);
    bool GroupColorFromTheme() const { return FGroupColorFromTheme; }
    virtual void SetGroupColorFromTheme(bool Value);
    TFont* GroupFont() { return &FGroupFont; }
    virtual void SetGroupFont(TFont* Value);
    QString GroupPrefix() const { return FGroupPrefix; }
    virtual void SetGroupPrefix(const QString& Value);
    bool ShowGroups() const { return FShowGroups; }
    // On, the list draws its items itself at the height both fonts need.
    virtual void SetShowGroups(bool Value);
    // An item whose text begins with GroupPrefix.
    virtual bool IsGroupItem(int Index) const;
    // The nearest group header at or above Index, -1 when there is none.
    virtual int GroupHeaderOf(int Index) const;
    virtual bool ItemInGroup(int Index) const { return GroupHeaderOf(Index) >= 0; }
    // GroupFont was set apart from Font (else it follows Font).
    bool GroupFontChanged() const { return FGroupFontChanged; }
    // For a header, the number of headers before it; else -1.
    virtual int GroupNumberOf(int Index) const;

    // The first item that begins with S, in any case; -1 when none does.
    virtual int FindItem(const QString& S) const;
    // Measures every item and sets HorzExtent to the widest. The widths are kept while the scroll bar
    // is on, so later changes to the items measure only the items that came or changed.
    virtual void UpdateHorzExtent();

    // Stored-value checks of the published lists (TSkListBox, the check list).
    SK_GRIDS_FRAMING_STORED
    Q_INVOKABLE bool IsGroupFontStored() const { return GroupFontChanged(); }

    TNotifyEvent OnMatch;

protected:
    void FrameVisibleChanged() override;
    virtual int GetOwnerDrawIndent() const { return FOwnerDrawIndent; }
    virtual void AdjustItemHeight();
    virtual void ItemFontChanged() {}
    // Text that stands before every item when its width is measured (the check list's glyph).
    virtual QString GetIndentText() const { return QString(); }
    virtual void DrawGroupItem(int Index, const TRect& Rect, TOwnerDrawState State);
    // A header's font, text colour and background: the gradient, or the highlight when selected.
    void PaintGroupBackground(const TRect& Rect, TOwnerDrawState State);
    virtual void DrawItemText(int Index, const TRect& Rect, TOwnerDrawState State);
    // The width of one item's text for the horizontal extent: as a window's text extent adds up the
    // characters' advances, in the list's font.
    virtual int ItemTextExtent(const TTextMeasurer& Measure, const QString& Text);
    // The item's text as shown: without the group prefix for a header.
    QString DisplayText(int Index) const;

    void CNDrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    // OnDrawItem, else DrawItemText.
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void ItemsSpliced(int Index, int Removed, int Inserted) override;
    // The items changed: the horizontal extent follows their widths.
    virtual void ItemsChanged();
    void FontChanged() override;
    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

    void WMChar(TWMKey& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMMouseMove(TWMMouse& Message) override;
    void WMSize(TWMSize& Message) override;
    void WMNCCalcSize(TWMNCCalcSize& Message) override;
    void WMNCPaint(TWMPaint& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;

private:
    void SearchFor(const QString& S);
    void SearchTimerFired();
    void KeyPressed(QChar Key);
    void Beep() const;
    void UpdateItemHint(const TPoint& Pos);
    void HideItemHint();
    void SpliceItemExtents(int Index, int Removed, int Inserted);
    // Measures the items not measured yet and sets HorzExtent to the widest item (looking through all
    // of them again when Rescan).
    void MeasureNewItems(bool Rescan);
    void ForgetItemExtents();
    // The list's measuring canvas, wearing Font.
    TCanvas* MeasureCanvas(const TFont& Font);
    const TTextMeasurer& ExtentMeasurer();
    static constexpr int Unmeasured = -1;
    bool FIncrementalSearch = true, FBeepOnInvalidKey = true, FSearching = false, FTabOnEnter = false;
    QString FSearchString;
    std::unique_ptr<TTimer> FSearchTimer;
    int FHorzExtent = 0;
    bool FHorzScrollBar = false;
    // Each item's measured width (Unmeasured until measured), kept in step with the items while
    // FItemExtentsKept; FWidestItem is the widest of them.
    std::vector<int> FItemExtents;
    // The items from ..to wait to be measured (some in between may be measured already).
    size_t FUnmeasuredFrom = 0, FUnmeasuredTo = 0;
    int FWidestItem = 0;
    bool FItemExtentsKept = false, FRescanExtents = false;
    std::unique_ptr<TBitmap> FMeasureBitmap;
    std::unique_ptr<TTextMeasurer> FExtentMeasurer;
    int FOwnerDrawIndent = 0;
    bool FShowItemHints = true;
    std::unique_ptr<THintWindow> FItemHintWindow;
    TRect FItemHintRect;
    bool FUseGradients = true;
    TColor FGroupColor = clInactiveCaptionText;
    bool FGroupColorFromTheme = true;
    TFont FGroupFont;
    bool FGroupFontChanged = false;
    QString FGroupPrefix = QStringLiteral("//");
    bool FShowGroups = false;
};

// The published properties of a styled list box with their declared defaults (moc expands the macro),
// shared by TSkListBox and the check list.
#define SK_LIST_BOX_PROPERTIES                                                                               \
    SK_FRAME_BLOCK_PROPERTIES                                                                                \
    Q_PROPERTY(bool BeepOnInvalidKey READ BeepOnInvalidKey WRITE SetBeepOnInvalidKey)                        \
    Q_PROPERTY(TColor GroupColor READ GroupColor WRITE SetGroupColor)                                        \
    Q_PROPERTY(bool GroupColorFromTheme READ GroupColorFromTheme WRITE SetGroupColorFromTheme)               \
    Q_PROPERTY(TFont* GroupFont READ GroupFont)                                                              \
    Q_PROPERTY(QString GroupPrefix READ GroupPrefix WRITE SetGroupPrefix)                                    \
    Q_PROPERTY(bool HorzScrollBar READ HorzScrollBar WRITE SetHorzScrollBar)                                 \
    Q_PROPERTY(bool IncrementalSearch READ IncrementalSearch WRITE SetIncrementalSearch)                     \
    Q_PROPERTY(int OwnerDrawIndent READ OwnerDrawIndent WRITE SetOwnerDrawIndent)                            \
    Q_PROPERTY(bool ShowGroups READ ShowGroups WRITE SetShowGroups)                                          \
    Q_PROPERTY(bool ShowItemHints READ ShowItemHints WRITE SetShowItemHints)                                 \
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)                                          \
    Q_PROPERTY(bool UseGradients READ UseGradients WRITE SetUseGradients)                                    \
    Q_CLASSINFO("BeepOnInvalidKey", "= True")                                                                \
    Q_CLASSINFO("GroupColor", "TColor = clInactiveCaptionText")                                              \
    Q_CLASSINFO("GroupColorFromTheme", "= True")                                                             \
    Q_CLASSINFO("GroupPrefix", "= '//'")                                                                     \
    Q_CLASSINFO("HorzScrollBar", "= False")                                                                  \
    Q_CLASSINFO("IncrementalSearch", "= True")                                                               \
    Q_CLASSINFO("OwnerDrawIndent", "= 0")                                                                    \
    Q_CLASSINFO("ShowGroups", "= False")                                                                     \
    Q_CLASSINFO("ShowItemHints", "= True")                                                                   \
    Q_CLASSINFO("TabOnEnter", "= False")                                                                     \
    Q_CLASSINFO("UseGradients", "= True")

// The list box the windows place: the styled list with its properties published.
class TSkListBox : public TSkCustomListBox {
    Q_OBJECT
    SK_LIST_BOX_PROPERTIES
public:
    explicit TSkListBox(TComponent* AOwner);
};

class TSkCustomTabbedListBox;

// The tab stops of a tabbed list box, each a column position in average character widths (a
// negative one right-aligns its column); every change reaches the list at once.
class TSkTabStopList : public TSkIntegerList {
public:
    explicit TSkTabStopList(TSkCustomTabbedListBox* ListBox);
    void Clear() override;
    void Delete(int Index) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    // Changes made between BeginUpdate and EndUpdate reach the list once, at the end.
    void BeginUpdate() { ++FUpdating; }
    void EndUpdate();

protected:
    void InsertItem(int Index, int Value) override;
    void PutItem(int Index, int Value) override;

private:
    void Changed();
    TSkCustomTabbedListBox* FListBox;
    int FUpdating = 0;
};

enum TSkTabStopsMode { tsmManual, tsmAutomatic };

class EHeaderError : public Exception {
public:
    using Exception::Exception;
};

class TSkCustomTabbedListBox : public TSkCustomListBox {
    Q_OBJECT
public:
    // At most this many stops reach the window.
    static constexpr int MaxTabStops = 1000;

    explicit TSkCustomTabbedListBox(TComponent* AOwner);
    ~TSkCustomTabbedListBox() override;

    TSkTabStopList* TabStops() { return FTabStops.get(); }
    virtual void SetTabStops(TSkTabStopList* Value) { FTabStops->Assign(Value); }
    TSkTabStopsMode TabStopsMode() const { return FTabStopsMode; }
    virtual void SetTabStopsMode(TSkTabStopsMode Value);
    // The font's average character width, the unit of the stops.
    int AvgCharWidth() const { return FAvgCharWidth; }

    // The stops as the window takes them: at most MaxTabStops, each in quarters of the average
    // character width and clamped to what the window can place.
    virtual void GetTabStops(int& Count, std::vector<int>& Stops) const;
    // The stops the window uses now, in quarter character widths.
    const std::vector<int>& WindowTabStops() const { return FWindowTabStops; }
    // Column Column (from 0) of item Row; raises EListError when either lies outside.
    virtual QString GetItemColumn(int Row, int Column) const;
    virtual void SetItemColumn(int Row, int Column, const QString& Value);
    // Measures every column of the items and sets a stop after the widest of each.
    virtual void UpdateAutomaticTabStops();
    // Moves the existing stops to the section edges of a THeader or a THeaderControl.
    virtual void UpdateFromHeader(TComponent* Header);

    // Framework use: the stop list changed.
    void TabStopsChanged();

protected:
    // Room the first column needs beyond its text (the check list's glyph).
    virtual int GetExtraFirstColumnWidth() const { return 0; }
    void DrawItemText(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void DrawGroupItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    int ItemTextExtent(const TTextMeasurer& Measure, const QString& Text) override;
    void ItemsChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void DefineProperties(TFiler* Filer) override;

private:
    // The columns of item Row, once Row and Column are known to lie inside.
    QStringList ColumnsOf(int Row, int Column) const;
    void ApplyTabStops();
    std::vector<int> PixelTabStops() const;
    void DrawTabbedText(const QString& Text, const TRect& Rect);
    std::unique_ptr<TSkTabStopList> FTabStops;
    TSkTabStopsMode FTabStopsMode = tsmManual;
    int FAvgCharWidth = 6;
    std::vector<int> FWindowTabStops;
};
