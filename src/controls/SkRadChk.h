// The check box and the radio button: a state glyph beside a caption, drawn by the library in its
// hot-track look, from a strip or an image list of custom glyphs, by the visual style, or as the
// classic glyphs. Checking a radio button unchecks every other radio button of its parent; a check
// box may take a third, grayed state. Both can follow an action's Checked.
#pragma once

#include "GraphicsImage.h"
#include "ImgList.h"
#include "Scaling.h"
#include "SkButton.h"
#include "SkCommonFraming.h"

#include <memory>

class TSkCustomGlyphButton;

// Keeps Checked in step with the action: a change the action makes fires no click.
class TSkCheckedActionLink : public TControlActionLink {
public:
    explicit TSkCheckedActionLink(TSkCustomGlyphButton* Client);
    bool IsCheckedLinked() const override;
    void SetChecked(bool Value) override;

private:
    TSkCustomGlyphButton* FGlyphClient;
};

class TSkCustomGlyphButton : public TSkCustomButton, public ISkCustomFramingNotification {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(TCustomImageList* CustomGlyphImages READ CustomGlyphImages WRITE SetCustomGlyphImages)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor FillColor READ FillColor WRITE SetFillColor)
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(TSkFrameController* FrameController READ FrameController WRITE SetFrameController)
    Q_PROPERTY(TSkFrameControllerNotifications FrameControllerNotifications READ FrameControllerNotifications
                   WRITE SetFrameControllerNotifications)
    Q_PROPERTY(TSkButtonHotTrackStyle HotTrackStyle READ HotTrackStyle WRITE SetHotTrackStyle)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)
    Q_PROPERTY(bool TabOnEnter READ TabOnEnter WRITE SetTabOnEnter)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(TColor TransparentColor READ TransparentColor WRITE SetTransparentColor)
    Q_PROPERTY(bool UseCustomGlyphs READ UseCustomGlyphs WRITE SetUseCustomGlyphs)
    Q_PROPERTY(TColor WinMaskColor READ WinMaskColor WRITE SetWinMaskColor)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
    Q_CLASSINFO("Alignment", "= taRightJustify")
    Q_CLASSINFO("AlignmentVertical", "= avTop")
    Q_CLASSINFO("AutoSize", "= True")
    Q_CLASSINFO("Checked", "= False")
    Q_CLASSINFO("Color", "TColor = clWindow")
    Q_CLASSINFO("DisabledColor", "TColor = clBtnFace")
    Q_CLASSINFO("FillColor", "TColor = clWindow")
    Q_CLASSINFO("FocusColor", "TColor = clWindow")
    Q_CLASSINFO("FrameColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")  // all
    Q_CLASSINFO("HotTrackStyle", "= htsInterior")
    Q_CLASSINFO("ReadOnly", "= False")
    Q_CLASSINFO("ReadOnlyColor", "TColor = clInfoBk")
    Q_CLASSINFO("ReadOnlyColorOnFocus", "= False")
    Q_CLASSINFO("TabOnEnter", "= False")
    Q_CLASSINFO("Transparent", "= False")
    Q_CLASSINFO("TransparentColor", "TColor = clOlive")
    Q_CLASSINFO("UseCustomGlyphs", "= False")
    Q_CLASSINFO("WinMaskColor", "TColor = clLime")
    Q_CLASSINFO("WordWrap", "= False")
public:
    // clWindow, sized to glyph and caption; NumGlyphs glyphs in a strip.
    TSkCustomGlyphButton(TComponent* AOwner, int NumGlyphs);
    ~TSkCustomGlyphButton() override;

    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    virtual void SetWordWrap(bool Value);
    bool Checked() const { return GetChecked(); }
    TColor FrameColor() const { return FFrameColor; }
    virtual void SetFrameColor(TColor Value);
    // Glyphs in a CustomGlyphs strip; 0 or less counts as 1.
    int NumGlyphs() const { return FNumGlyphs; }
    virtual void SetNumGlyphs(int Value);
    TBitmap* CustomGlyphs() const { return FCustomGlyphs.get(); }
    // Copies the strip; an empty one (nullptr) ends it.
    virtual void SetCustomGlyphs(const TBitmap* Value);
    TCustomImageList* CustomGlyphImages() const { return FCustomGlyphImages; }
    virtual void SetCustomGlyphImages(TCustomImageList* Value);
    bool UseCustomGlyphs() const { return FUseCustomGlyphs; }
    virtual void SetUseCustomGlyphs(bool Value);
    TColor TransparentColor() const { return FTransparentColor; }
    virtual void SetTransparentColor(TColor Value);
    TColor WinMaskColor() const { return FWinMaskColor; }
    virtual void SetWinMaskColor(TColor Value);
    TColor FillColor() const { return FFillColor; }
    virtual void SetFillColor(TColor Value);
    TColor FocusColor() const { return FFocusColor; }
    virtual void SetFocusColor(TColor Value);
    TColor DisabledColor() const { return FDisabledColor; }
    virtual void SetDisabledColor(TColor Value);
    bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool Value);
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool Value);
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    virtual void SetReadOnlyColor(TColor Value);
    bool TabOnEnter() const { return FTabOnEnter; }
    void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
    TSkButtonHotTrackStyle HotTrackStyle() const { return FHotTrackStyle; }
    void SetHotTrackStyle(TSkButtonHotTrackStyle Value);
    TSkFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TSkFrameController* Value);
    TSkFrameControllerNotifications FrameControllerNotifications() const {
        return FFrameControllerNotifications;
    }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications Value) {
        FFrameControllerNotifications = Value;
    }
    void SetTransparent(bool Value) override;

    int GlyphWidth() const { return FGlyphWidth; }
    int GlyphHeight() const { return FGlyphHeight; }
    // Set while an action link changes Checked: no click then.
    bool ClicksDisabled() const { return FClicksDisabled; }
    void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
    bool MouseDownFlag() const { return FMouseDownFlag; }

    // The glyph's rectangle: beside the caption, placed by AlignmentVertical.
    TRect GetHotTrackRect() override;
    // Runs AdjustBounds when AutoSize: the control fits glyph and caption.
    void AdjustBounds();
    // With visual styles the glyph scales too.
    void ChangeScale(int M, int D) override;

    // The frame controller's values, when it shows frames.
    void CustomFramingChanged() override;
    Q_INVOKABLE bool IsCheckedStored() const;
    Q_INVOKABLE bool IsFrameColorStored() const { return Stored(fcpFrameColor); }
    Q_INVOKABLE bool IsFillColorStored() const { return Stored(fcpColor); }
    Q_INVOKABLE bool IsFocusColorStored() const { return Stored(fcpFocusColor); }
    Q_INVOKABLE bool IsDisabledColorStored() const { return Stored(fcpDisabledColor); }
    Q_INVOKABLE bool IsReadOnlyColorStored() const { return Stored(fcpReadOnlyColor); }
    Q_INVOKABLE bool IsReadOnlyColorOnFocusStored() const { return Stored(fcpReadOnlyColorOnFocus); }

    // The action link's access to the state it keeps in step.
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool) {}

protected:
    virtual void UpdateFrameControllerProperties();
    // The state glyph of the moment into Bitmap (GlyphWidth x GlyphHeight).
    virtual void DrawGlyph(TBitmap* Bitmap) = 0;
    // The last touch on a transparent library glyph (the radio button blends its edge).
    virtual void FinishGlyph(TBitmap*) {}
    virtual void PaintGlyph(TCanvas* Canvas);
    // Glyph Index of a strip of Width-wide glyphs into Dest; nothing for an index outside the strip.
    virtual void ExtractGlyph(int Index, TBitmap* Dest, int Width, int Height, TBitmap* Source);
    // Draws glyph Index of the custom glyphs into Bitmap, on TransparentColor.
    void DrawCustomGlyph(TBitmap* Bitmap, int Index);
    // Whether hot glyphs come from the image list now: more than Normal images, hot tracking on and
    // the mouse over the control.
    bool UseHotGlyph(int Normal) const;
    // The library's own glyph (hot-track look) and the classic one, for the subclasses' DrawGlyph.
    int DrawState() const;
    void RepaintButton() override { Repaint(); }
    void RepaintFocus() override { Repaint(); }
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* Filer) override;
    void Paint() override;
    void Resized() override;
    void WMEraseBkgnd(TWMPaint& Message) override;
    void WMLButtonDown(TWMMouse& Message) override;
    void WMLButtonUp(TWMMouse& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void WMChar(TWMKey& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

    bool FClicksDisabled = false;
    bool FMouseDownFlag = false;

private:
    bool Stored(TSkFrameControllerProperty Property) const {
        return FrameBlockStored(FFrameController, FFrameControllerNotifications, Property);
    }
    bool GlyphOnRight() const { return FAlignment == taLeftJustify; }
    // The image list or the strip changed: custom glyphs are used when there are any.
    void CustomGlyphsChanged();
    TRect TextRect() const;

    TAlignment FAlignment = taRightJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;
    TColor FFrameColor = clBtnShadow;
    int FNumGlyphs = 2;
    std::unique_ptr<TBitmap> FCustomGlyphs;
    TCustomImageList* FCustomGlyphImages = nullptr;
    TChangeLink FImageChangeLink;
    bool FUseCustomGlyphs = false;
    TColor FTransparentColor = clOlive;
    TColor FWinMaskColor = clLime;
    TColor FFillColor = clWindow;
    TColor FFocusColor = clWindow;
    TColor FDisabledColor = clBtnFace;
    bool FReadOnly = false;
    bool FReadOnlyColorOnFocus = false;
    TColor FReadOnlyColor = clInfoBk;
    int FGlyphWidth = 13, FGlyphHeight = 13;
    int FThemedGlyphWidth = 13, FThemedGlyphHeight = 13;
    // The themed glyph before any scaling, and the ratio of all scalings since.
    int FUnscaledGlyphWidth = 13, FUnscaledGlyphHeight = 13;
    TScaleRatio FGlyphScale;
    bool FTabOnEnter = false;
    TSkButtonHotTrackStyle FHotTrackStyle = htsInterior;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
    TBitmap FBackgroundSnapshot;
    bool FBackgroundDirty = true;
};

class TSkRadioButton : public TSkCustomGlyphButton {
    Q_OBJECT
    Q_CLASSINFO("TabStop", "= False")
public:
    // Not a tab stop until checked.
    explicit TSkRadioButton(TComponent* AOwner);

    bool GetChecked() const override { return FChecked; }
    // Checking one unchecks every other radio button of the parent, then clicks (unless the action
    // link checks it).
    void SetChecked(bool Value) override;
    // Every radio button of the parent takes the same value.
    void SetReadOnly(bool Value) override;

protected:
    void ButtonClick() override;
    void DrawGlyph(TBitmap* Bitmap) override;
    void FinishGlyph(TBitmap* Bitmap) override;
    void WndProc(TMessage& Message) override;
    void WMSetFocus(TWMFocus& Message) override;
    void CMDialogChar(TWMKey& Message) override;
    void CMDialogKey(TWMKey& Message) override;

private:
    template <class TEach> void ForOtherRadios(TEach Each);
    bool FChecked = false;
};

class TSkCustomCheckBox : public TSkCustomGlyphButton {
    Q_OBJECT
public:
    explicit TSkCustomCheckBox(TComponent* AOwner);

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState State() const { return FState; }
    // A changed state repaints and clicks, unless the action link sets it.
    virtual void SetState(TCheckBoxState Value);
    bool GetChecked() const override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    bool SpaceDown() const { return FSpaceDown; }

protected:
    // Unchecked, (grayed,) checked, unchecked ...; a read-only box ignores the mouse.
    void ButtonClick() override;
    void DrawGlyph(TBitmap* Bitmap) override;
    void WndProc(TMessage& Message) override;
    void WMKeyDown(TWMKey& Message) override;
    void WMKeyUp(TWMKey& Message) override;
    void WMKillFocus(TWMFocus& Message) override;
    void CMDialogChar(TWMKey& Message) override;

private:
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    bool FSpaceDown = false;
};

class TSkCheckBox : public TSkCustomCheckBox {
    Q_OBJECT
    Q_PROPERTY(bool AllowGrayed READ AllowGrayed WRITE SetAllowGrayed)
    Q_PROPERTY(TCheckBoxState State READ State WRITE SetState)
    Q_CLASSINFO("AllowGrayed", "= False")
public:
    using TSkCustomCheckBox::TSkCustomCheckBox;
};
