// The check list: a list whose items each carry a check state (unchecked, checked, grayed), an enabled
// flag and two image indexes, drawn as a check glyph and an optional image before the text. Items can
// be saved to and loaded from a stream, one text line per item.
#pragma once

#include "GraphicsImage.h"
#include "ImgList.h"
#include "SkChkLstPackets.h"
#include "SkLstBox.h"

#include <functional>
#include <memory>
#include <vector>

class TSkCheckList;
class TStream;

using TItemStateChangingEvent =
    std::function<void(TObject* Sender, int Index, TCheckBoxState NewState, bool& AllowChange)>;
using TItemStateChangeEvent = std::function<void(TObject* Sender, int Index, TCheckBoxState NewState)>;

// Which custom glyph shows an item: its state when enabled, else 3 + state (6 + state from an image
// list of at least seven images). ImageCount is -1 for a glyph strip.
int CustomGlyphIndex(int State, bool Enabled, int ImageCount);

// The image an item shows from the list's Images: with a disabled image, the item's enabled flag
// chooses between the two and both are drawn enabled; without one, the item's image is drawn as the
// list is, enabled or disabled. Index -1: no image.
struct TItemImage {
    int Index = -1;
    bool Enabled = true;
};
TItemImage ItemImageToDraw(const TPacket& Packet, bool ListEnabled);

// Copies Source onto Dest (already filled) leaving out the pixels of Key.
void CopyKeyedOut(TBitmap* Dest, const TBitmap* Source, TColor Key);

// The items of a check list: the texts and objects live in the list box, one packet per item beside
// them; both always hold the same number of entries.
class TSkCheckListStrings : public TObject {
public:
    explicit TSkCheckListStrings(TSkCheckList* Owner);

    int Count() const;
    const QString& Strings(int Index) const;
    const QString& operator[](int Index) const { return Strings(Index); }
    TObject* Objects(int Index) const;
    int IndexOf(const QString& S) const;
    // The item's packet; EListError outside the items.
    TPacket& Packets(int Index);
    const TPacket& Packets(int Index) const;

    int Add(const QString& S) { return AddObject(S, nullptr); }
    int AddObject(const QString& S, TObject* Object);
    void Insert(int Index, const QString& S, TObject* Object = nullptr);
    void Delete(int Index);
    void Clear();
    // Replaces an item's text; its packet and the list's current item stay.
    void SetStrings(int Index, const QString& S);
    void SetObjects(int Index, TObject* Object);
    // Swaps two items with their packets.
    void Exchange(int Index1, int Index2);
    // Moves an item with its packet.
    void Move(int CurIndex, int NewIndex);

    // The texts joined with line ends; setting replaces the items with plain ones.
    QString Text() const;
    void SetText(const QString& Text);
    QStringList ToQStringList() const;

    // Adds each line with its object and packet from a check list or packet list; lines of any other
    // list are decoded when they carry a packet.
    void AddStrings(const TSkCheckListStrings* Source);
    void AddStrings(const TPacketStringList* Source);
    void AddStrings(const TStringList* Source);
    void AddStrings(const QStringList& Lines);
    // Clear, then AddStrings.
    void Assign(const TSkCheckListStrings* Source);
    void Assign(const TPacketStringList* Source);

    // One line per item in the check-list line format, each ended by CR LF, as UTF-8. An item the
    // format cannot carry (CheckListLineFault) raises EWriteError and nothing is written.
    void SaveToStream(TStream* Stream) const;
    // Replaces the items by the stream's lines; a line that is not in the format becomes a plain item.
    void LoadFromStream(TStream* Stream);
    // The stream's bytes, written whole or not at all: EFCreateError when the file cannot be written,
    // and the old file stays as it was.
    void SaveToFile(const QString& FileName) const;
    // EFOpenError when the file cannot be read.
    void LoadFromFile(const QString& FileName);

    // The list measures its items and repaints once at the end of a run of changes.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    // Framework use: the list box's items changed (from its splice notice).
    void Spliced(int Index, int Removed, int Inserted);

private:
    TStringList* Window() const;
    void AddDecoded(const TCheckListLine& Line, TObject* Object);
    void ReplaceAll(const QStringList& Texts, std::vector<TPacket> Packets);
    TSkCheckList* FOwner;
    std::vector<TPacket> FPackets;
    int FUpdateCount = 0;
};

class TSkCheckList : public TSkCustomTabbedListBox {
    Q_OBJECT
    SK_LIST_BOX_PROPERTIES
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(TColor HighlightColor READ HighlightColor WRITE SetHighlightColor)
    Q_PROPERTY(TColor ItemFillColor READ ItemFillColor WRITE SetItemFillColor)
    Q_PROPERTY(TColor ItemFocusColor READ ItemFocusColor WRITE SetItemFocusColor)
    Q_PROPERTY(TColor ItemFrameColor READ ItemFrameColor WRITE SetItemFrameColor)
    Q_PROPERTY(bool ToggleOnItemClick READ ToggleOnItemClick WRITE SetToggleOnItemClick)
    Q_PROPERTY(TColor TransparentColor READ TransparentColor WRITE SetTransparentColor)
    Q_PROPERTY(bool UseCustomGlyphs READ UseCustomGlyphs WRITE SetUseCustomGlyphs)
    Q_PROPERTY(TColor WinMaskColor READ WinMaskColor WRITE SetWinMaskColor)
    Q_PROPERTY(TImageList* Images READ Images WRITE SetImages)
    Q_PROPERTY(TImageList* CustomGlyphImages READ CustomGlyphImages WRITE SetCustomGlyphImages)
    Q_CLASSINFO("AllowGrayed", "= False")
    Q_CLASSINFO("HighlightColor", "TColor = clHighlight")
    Q_CLASSINFO("ItemFillColor", "TColor = clWindow")
    Q_CLASSINFO("ItemFocusColor", "TColor = clWindow")
    Q_CLASSINFO("ItemFrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("ToggleOnItemClick", "= False")
    Q_CLASSINFO("TransparentColor", "TColor = clOlive")
    Q_CLASSINFO("UseCustomGlyphs", "= False")
    Q_CLASSINFO("WinMaskColor", "TColor = clLime")
public:
    explicit TSkCheckList(TComponent* AOwner);
    ~TSkCheckList() override;

    TSkCheckListStrings* Items() { return FItems.get(); }
    const TSkCheckListStrings* Items() const { return FItems.get(); }
    virtual void SetItems(const TSkCheckListStrings* Value);
    // Adds an item through Items.
    void AddItem(const QString& Text, TObject* Object) { FItems->AddObject(Text, Object); }

    // Per item; an index outside the items raises EListError.
    bool ItemChecked(int Index) const { return GetItemChecked(Index); }
    void SetItemChecked(int Index, bool Value) { SetItemCheckedAt(Index, Value); }
    virtual bool GetItemChecked(int Index) const;
    virtual void SetItemCheckedAt(int Index, bool Value);
    virtual bool ItemEnabled(int Index) const;
    virtual void SetItemEnabled(int Index, bool Value);
    virtual TCheckBoxState ItemState(int Index) const;
    virtual void SetItemState(int Index, TCheckBoxState Value);
    virtual int ItemImageIndex(int Index) const;
    virtual void SetItemImageIndex(int Index, int Value);
    virtual int ItemDisabledIndex(int Index) const;
    virtual void SetItemDisabledIndex(int Index, int Value);

    // Toggles the current item (unless it is disabled or a group header) when OnChanging allows.
    virtual void ToggleItem();

    bool AllowGrayed() const { return FAllowGrayed; }
    virtual void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    bool ToggleOnItemClick() const { return FToggleOnItemClick; }
    void SetToggleOnItemClick(bool Value) { FToggleOnItemClick = Value; }
    int GlyphWidth() const { return FGlyphWidth; }
    int GlyphHeight() const { return FGlyphHeight; }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value) { FNumGlyphs = Value > 0 ? Value : 1; }
    TBitmap* CustomGlyphs() { return &FCustomGlyphs; }
    // Takes a copy of the strip; a non-empty strip switches the custom glyphs on.
    virtual void SetCustomGlyphs(const TBitmap* Value);
    TImageList* CustomGlyphImages() const { return FCustomGlyphImages; }
    virtual void SetCustomGlyphImages(TImageList* Value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    virtual void SetUseCustomGlyphs(bool Value);
    TImageList* Images() const { return FImages; }
    virtual void SetImages(TImageList* Value);
    TColor HighlightColor() const { return FHighlightColor; }
    virtual void SetHighlightColor(TColor Value) { StoreAndInvalidate(FHighlightColor, Value); }
    TColor ItemFillColor() const { return FItemFillColor; }
    virtual void SetItemFillColor(TColor Value) { StoreAndInvalidate(FItemFillColor, Value); }
    TColor ItemFocusColor() const { return FItemFocusColor; }
    virtual void SetItemFocusColor(TColor Value) { StoreAndInvalidate(FItemFocusColor, Value); }
    TColor ItemFrameColor() const { return FItemFrameColor; }
    virtual void SetItemFrameColor(TColor Value) { StoreAndInvalidate(FItemFrameColor, Value); }
    TColor TransparentColor() const { return FTransparentColor; }
    virtual void SetTransparentColor(TColor Value) { StoreAndInvalidate(FTransparentColor, Value); }
    TColor WinMaskColor() const { return FWinMaskColor; }
    virtual void SetWinMaskColor(TColor Value) { StoreAndInvalidate(FWinMaskColor, Value); }

    // A toggle pending from a mouse or space-bar press, and its item.
    bool ToggleArmed() const { return FToggleArmed; }
    int ArmedIndex() const { return FArmedIndex; }
    // Set while Items adds or inserts an item (nothing is drawn then).
    bool Inserting() const { return FInserting; }
    void SetInserting(bool Value) { FInserting = Value; }

    // The pixels kept free before each item's text for its glyph and image.
    int TextIndent() const;
    // The glyph's and the image's part of item Index, in client coordinates.
    TRect GlyphArea(int Index) const;
    TRect ImageArea(int Index) const;
    // The same parts within any item, whose top-left corner is 0, 0.
    TRect GlyphPart() const;
    TRect ImagePart() const;

    TItemStateChangingEvent OnChanging;
    TItemStateChangeEvent OnChange;

    // Draws item Index's glyph into Bitmap (already of the glyph's size).
    virtual void DrawItemGlyph(int Index, TBitmap* Bitmap);
    // Builds the list anew, as a change of its window style does: items, packets, the top item and
    // the current item come back.
    void RecreateItemsWindow();

protected:
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    int GetOwnerDrawIndent() const override { return TextIndent(); }
    int GetExtraFirstColumnWidth() const override { return FGlyphWidth; }
    QString GetIndentText() const override { return QStringLiteral("\t"); }
    void AdjustItemHeight() override;
    void FontChanged() override;
    void ItemsSpliced(int Index, int Removed, int Inserted) override;
    // Within a run of changes the items are measured once, at its end.
    void ItemsChanged() override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMRButtonDown(TWMMouse& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMChar(TWMKey& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The items stream as "Items.Strings" with their packets beside them: "Items.ItemEnabled" and
    // "Items.ItemState" always, the two image indexes when the list has Images.
    void DefineProperties(TFiler* Filer) override;
    // While the list is built anew, the items with their packets wait in a packet list.
    void DestroyItemsWindow();
    void CreateItemsWindow();

private:
    friend class TSkCheckListStrings;
    TPacket& PacketAt(int Index) const;
    // A run of changes to the items ended.
    void ItemsUpdated();
    void InvalidateArea(const TRect& Area);
    void StoreAndInvalidate(TColor& Field, TColor Value);
    void DrawItemImage(int Index, const TRect& Rect);
    bool InGlyphZone(int Index, const TPoint& Point) const;

    std::unique_ptr<TSkCheckListStrings> FItems;
    std::unique_ptr<TPacketStringList> FSaveItems;
    int FSaveTopIndex = 0, FSaveItemIndex = -1;
    bool FAllowGrayed = false, FToggleOnItemClick = false, FUseCustomGlyphs = false;
    bool FToggleArmed = false, FInserting = false, FItemsChangedPending = false;
    int FArmedIndex = -1;
    int FGlyphWidth = 13, FGlyphHeight = 13, FNumGlyphs = 6;
    TBitmap FCustomGlyphs;
    TImageList* FCustomGlyphImages = nullptr;
    TImageList* FImages = nullptr;
    TColor FTransparentColor = clOlive, FWinMaskColor = clLime, FHighlightColor = clHighlight;
    TColor FItemFillColor = clWindow, FItemFocusColor = clWindow, FItemFrameColor = clBtnShadow;
};
