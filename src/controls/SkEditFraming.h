// What the framed edit, memo and rich edit share on top of their native field: the frame block
// painted in a 2-pixel non-client band, hot tracking of that frame while focused or under the mouse,
// the field's colour following its state, Enter as Tab, and the frame controller.
#pragma once

#include "NativeFrame.h"
#include "SkCommonFraming.h"

#include <QString>

class TFiler;

// The colour an edit shows: disabled, focused (read-only ones may keep their read-only colour),
// read-only, else its normal colour.
TColor EditStateColor(const TSkFrameBlock& Block, TColor NormalColor, bool Enabled, bool Focused,
                      bool ReadOnly);
// True when the framing preference leaves the frame to the desktop's visual style and one is active.
bool EditUsesThemes(const TSkFrameBlock& Block);
// The 2-pixel band round an edit of Width x Height: the field's own border (a sunken edge, or the
// visual style's line), then, when the frame is visible and not themed, the styled frame in the hot
// style and colour while Hot.
void PaintEditFrame(TCanvas* Canvas, int Width, int Height, const TSkFrameBlock& Block, TColor Color,
                    bool Hot);
// A hot flat drop button's border and face: in a face colour of its own the popup border (pressed, the
// status one), in the button face raised (pressed, sunken) sides; the inside filled with Face. Returns
// the inside, where the arrow goes.
TRect DrawFlatDropButtonFace(TCanvas* Canvas, const TRect& Rect, TColor Face, bool Pressed);

// The frame block's stored predicates, declared in each framed field's first published-from class
// (a template cannot carry invokable methods).
#define SK_FRAME_BLOCK_STORED_PREDICATES                                                                     \
    Q_INVOKABLE bool IsColorStored() const {                                                                 \
        return ColorStored();                                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsFocusColorStored() const {                                                            \
        return FocusColorStored();                                                                           \
    }                                                                                                        \
    Q_INVOKABLE bool IsDisabledColorStored() const {                                                         \
        return FrameStored(fcpDisabledColor);                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsReadOnlyColorStored() const {                                                         \
        return FrameStored(fcpReadOnlyColor);                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsReadOnlyColorOnFocusStored() const {                                                  \
        return FrameStored(fcpReadOnlyColorOnFocus);                                                         \
    }                                                                                                        \
    Q_INVOKABLE bool IsFlatButtonColorStored() const {                                                       \
        return FrameStored(fcpFlatButtonColor);                                                              \
    }                                                                                                        \
    Q_INVOKABLE bool IsFlatButtonsStored() const {                                                           \
        return FrameStored(fcpFlatButtons);                                                                  \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameColorStored() const {                                                            \
        return FrameStored(fcpFrameColor);                                                                   \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameHotColorStored() const {                                                         \
        return FrameStored(fcpFrameHotColor);                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameHotTrackStored() const {                                                         \
        return FrameStored(fcpFrameHotTrack);                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameHotStyleStored() const {                                                         \
        return FrameStored(fcpFrameHotStyle);                                                                \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameSidesStored() const {                                                            \
        return FrameStored(fcpFrameSides);                                                                   \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameStyleStored() const {                                                            \
        return FrameStored(fcpFrameStyle);                                                                   \
    }                                                                                                        \
    Q_INVOKABLE bool IsFrameVisibleStored() const {                                                          \
        return FrameStored(fcpFrameVisible);                                                                 \
    }                                                                                                        \
    Q_INVOKABLE bool IsFramingPreferenceStored() const {                                                     \
        return FrameStored(fcpFramingPreference);                                                            \
    }

// The published frame block, colours, read-only state and Enter-as-Tab of every framed field.
#define SK_FRAMED_EDIT_PROPERTIES                                                                            \
    SK_FRAME_BLOCK_PROPERTIES                                                                                \
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)                                                \
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)                               \
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)            \
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)                                          \
    Q_CLASSINFO("ReadOnly", "= False")                                                                       \
    Q_CLASSINFO("ReadOnlyColor", "TColor = clInfoBk")                                                        \
    Q_CLASSINFO("ReadOnlyColorOnFocus", "= False")                                                           \
    Q_CLASSINFO("TabOnEnter", "= False")

template <class TBase> class TSkFramedEdit : public TBase {
public:
    explicit TSkFramedEdit(TComponent* AOwner) : TBase(AOwner) {
        SetNativeFrameVisible(this, false);
        this->RecalcNonClientArea();
    }
    ~TSkFramedEdit() override { SetFrameController(nullptr); }

    // The frame block: each setter stores, and does something only on a change.
    TColor DisabledColor() const { return FBlock.DisabledColor; }
    virtual void SetDisabledColor(TColor Value) {
        if (StoreChanged(FBlock.DisabledColor, Value) && !this->Enabled()) UpdateColors();
    }
    TColor FocusColor() const { return FBlock.FocusColor; }
    virtual void SetFocusColor(TColor Value) {
        if (StoreChanged(FBlock.FocusColor, Value) && FFocused) UpdateColors();
    }
    TColor ReadOnlyColor() const { return FBlock.ReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value) {
        if (StoreChanged(FBlock.ReadOnlyColor, Value) && ReadOnly()) UpdateColors();
    }
    bool ReadOnlyColorOnFocus() const { return FBlock.ReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value) {
        if (StoreChanged(FBlock.ReadOnlyColorOnFocus, Value)) UpdateColors();
    }
    TColor FrameColor() const { return FBlock.FrameColor; }
    virtual void SetFrameColor(TColor Value) { FrameChanged(FBlock.FrameColor, Value); }
    TColor FrameHotColor() const { return FBlock.FrameHotColor; }
    virtual void SetFrameHotColor(TColor Value) { FrameChanged(FBlock.FrameHotColor, Value); }
    TFrameStyleEx FrameHotStyle() const { return FBlock.FrameHotStyle; }
    virtual void SetFrameHotStyle(TFrameStyleEx Value) { FrameChanged(FBlock.FrameHotStyle, Value); }
    TSides FrameSides() const { return FBlock.FrameSides; }
    virtual void SetFrameSides(TSides Value) { FrameChanged(FBlock.FrameSides, Value); }
    TFrameStyleEx FrameStyle() const { return FBlock.FrameStyle; }
    virtual void SetFrameStyle(TFrameStyleEx Value) { FrameChanged(FBlock.FrameStyle, Value); }
    bool FrameHotTrack() const { return FBlock.FrameHotTrack; }
    // Switched on, hot tracking shows the frame; at run time on all four sides (a form keeps its own).
    virtual void SetFrameHotTrack(bool Value) {
        if (!StoreChanged(FBlock.FrameHotTrack, Value)) return;
        if (Value) {
            SetFrameVisible(true);
            if (!(this->ComponentState() & csLoading)) FBlock.FrameSides = AllSides;
        }
        RepaintFrame();
        this->Invalidate();
    }
    bool FrameVisible() const { return FBlock.FrameVisible; }
    virtual void SetFrameVisible(bool Value) {
        if (!StoreChanged(FBlock.FrameVisible, Value)) return;
        this->RecalcNonClientArea();
        RepaintFrame();
    }
    TFramingPreference FramingPreference() const { return FBlock.FramingPreference; }
    virtual void SetFramingPreference(TFramingPreference Value) {
        if (StoreChanged(FBlock.FramingPreference, Value) && Value == fpCustomFraming) RepaintFrame();
    }
    TSkFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TSkFrameController* Value) {
        SetFrameControllerOf(this, FFrameController, Value);
    }
    TSkFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications Value) { FNotifications = Value; }

    bool ReadOnly() const { return TBase::ReadOnly(); }
    void SetReadOnly(bool Value) {
        if (Value == ReadOnly()) return;
        TBase::SetReadOnly(Value);
        ReadOnlyChanged();
    }
    // Enter moves the focus to the next control as Tab would, and never reaches OnKeyPress.
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }

    // The colour the control shows while enabled, unfocused and editable.
    TColor NormalColor() const { return FNormalColor; }
    virtual bool UseThemes() const { return EditUsesThemes(FBlock); }
    // The colour of the current state, with the updating flag raised so that it stays the state's.
    virtual void UpdateColors() {
        if (this->ComponentState() & csLoading) return;
        FUpdatingColors = true;
        this->SetColor(EditStateColor(FBlock, FNormalColor, this->Enabled(), FFocused, ReadOnly()));
        FUpdatingColors = false;
    }
    // One of the two inputs of hot tracking changed: the mouse (ViaMouse) or the focus.
    virtual void UpdateFrame(bool ViaMouse, bool Value) {
        (ViaMouse ? FMouseOver : FFocused) = Value;
        HotStateChanged();
        UpdateColors();
    }
    virtual void RepaintFrame() { RepaintControlFrame(this, Rect(0, 0, this->Width(), this->Height())); }

    // The hot look shows while hot tracking and focused or under the mouse.
    bool FrameIsHot() const { return FBlock.FrameHotTrack && (FFocused || FMouseOver); }
    bool IsFocusedFlag() const { return FFocused; }
    bool IsMouseOverFlag() const { return FMouseOver; }

    // For the published classes' stored predicates: a property the frame controller supplies is not
    // written; Color only while enabled (disabled it holds DisabledColor), FocusColor only when it
    // differs from Color.
    bool FrameStored(TSkFrameControllerProperty Property) const {
        return FrameBlockStored(FFrameController, FNotifications, Property);
    }
    bool ColorStored() const { return FrameStored(fcpColor) && this->Enabled() && !this->ParentColor(); }
    bool FocusColorStored() const {
        return FrameStored(fcpFocusColor) && ColorToRGB(FBlock.FocusColor) != ColorToRGB(this->Color());
    }

protected:
    void Loaded() override {
        TBase::Loaded();
        UpdateColors();
        UpdateFrame(false, false);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TBase::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FFrameController) FFrameController = nullptr;
    }
    void DefineProperties(TFiler* Filer) override {
        TBase::DefineProperties(Filer);
        DefineOldFrameProperties(Filer, this);
    }
    // A colour set from outside (or taken from the parent) becomes the normal colour; a focus colour
    // that was the old normal colour follows it.
    void CMColorChanged(TMessage& Message) override {
        TBase::CMColorChanged(Message);
        if (!FUpdatingColors) {
            if (FBlock.FocusColor == FNormalColor) FBlock.FocusColor = this->Color();
            FNormalColor = this->Color();
        }
        if (FBlock.FrameVisible && !UseThemes()) RepaintFrame();
    }
    void CMEnabledChanged(TMessage& Message) override {
        TBase::CMEnabledChanged(Message);
        UpdateColors();
        RepaintFrame();
    }
    void CMEnter(TMessage& Message) override {
        UpdateFrame(false, true);
        TBase::CMEnter(Message);
    }
    void CMExit(TMessage& Message) override {
        TBase::CMExit(Message);
        UpdateFrame(false, false);
    }
    void CMMouseEnter(TMessage& Message) override {
        TBase::CMMouseEnter(Message);
        if (!(this->ComponentState() & csDesigning)) UpdateFrame(true, true);
    }
    void CMMouseLeave(TMessage& Message) override {
        TBase::CMMouseLeave(Message);
        if (!(this->ComponentState() & csDesigning)) UpdateFrame(true, false);
    }
    // The field's border: 2 pixels on every side.
    void WMNCCalcSize(TWMNCCalcSize& Message) override {
        TBase::WMNCCalcSize(Message);
        InflateRect(*Message.CalcRect, -2, -2);
    }
    void WMNCPaint(TWMPaint& Message) override {
        if (!Message.DC) return;
        TCanvas canvas;
        canvas.BeginPaint(Message.DC);
        PaintEditFrame(&canvas, this->Width(), this->Height(), FBlock, this->Color(), FrameIsHot());
        PaintNonClientExtras(&canvas);
        canvas.EndPaint();
    }
    void WMSize(TWMSize& Message) override {
        TBase::WMSize(Message);
        if (FBlock.FrameVisible && !UseThemes()) RepaintFrame();
    }
    // A typed character goes through KeyPress, which may take it or type another in its place.
    void WMChar(TWMKey& Message) override {
        QChar key(char16_t(Message.CharCode));
        KeyPress(key);
        if (key.isNull()) return;
        if (key.unicode() != Message.CharCode) {
            TypeInstead(key);
            return;
        }
        TBase::WMChar(Message);
    }
    // A descendant's key filter: clears Key to drop it or changes it; Enter may become a Tab.
    virtual void KeyPress(QChar& Key) {
        if (Key == QChar(u'\r') && EnterKey()) Key = QChar();
    }
    // Types Key where a KeyPress changed the typed character.
    virtual void TypeInstead(QChar) {}
    // Enter was typed: true when it is taken here (with TabOnEnter it becomes a Tab).
    virtual bool EnterKey() {
        if (!FTabOnEnter) return false;
        PostKeyDown(this, VK_TAB);
        return true;
    }
    // A read-only field shows the read-only colour.
    virtual void ReadOnlyChanged() {
        UpdateColors();
        RepaintFrame();
    }
    // Paints what a descendant keeps in the non-client area, over the frame.
    virtual void PaintNonClientExtras(TCanvas*) {}
    // The focus or the mouse came or went: a hot-tracked frame changes its look.
    virtual void HotStateChanged() {
        if (FBlock.FrameHotTrack) RepaintFrame();
    }

    TSkFrameBlock FBlock;

private:
    template <class T> void FrameChanged(T& Field, const T& Value) {
        if (StoreChanged(Field, Value)) RepaintFrame();
    }
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FNotifications = AllFrameControllerNotifications;
    TColor FNormalColor = clWindow;
    bool FFocused = false, FMouseOver = false, FUpdatingColors = false, FTabOnEnter = false;
};
