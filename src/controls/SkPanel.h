// The styled panel, the base of every panel-like control of the library (the group box here; the
// calendar, time picker, calculator and pop-up host elsewhere): the library's frame styles in place of
// bevels, a solid or gradient background, an optional dot or line grid, a word-wrapped caption placed
// vertically, transparency over the parent, children disabled and restored with the panel, and a dock
// manager that gives docked controls caption bars. And the group box, which draws one of six group
// styles round its children.
#pragma once

#include "DockTree.h"
#include "ExtCtrls.h"
#include "Scaling.h"
#include "SkCommonFraming.h"
#include "SkGrafx.h"
#include "Themes.h"

#include <cstdint>
#include <memory>

class TFiler;

enum TSkPanelGridStyle { pgsDots, pgsDottedLines, pgsSolidLines };
enum TSkGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };

class TSkCustomPanel : public TCustomPanel, public ISkCustomFramingNotification {
    Q_OBJECT
public:
    // Raised outer frame on all sides, the XP background, a caption centred both ways; the inherited
    // bevel is off (the frames replace it). Paints off screen.
    explicit TSkCustomPanel(TComponent* AOwner);
    ~TSkCustomPanel() override;

    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    virtual void SetAlignmentVertical(TAlignmentVertical Value);
    TColor BorderColor() const { return FBorderColor; }
    virtual void SetBorderColor(TColor Value);
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    virtual void SetBorderInner(TFrameStyleEx Value);
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    virtual void SetBorderOuter(TFrameStyleEx Value);
    TSides BorderSides() const { return FBorderSides; }
    virtual void SetBorderSides(TSides Value);
    TColor BorderHighlight() const { return FBorderHighlight; }
    virtual void SetBorderHighlight(TColor Value);
    TColor BorderShadow() const { return FBorderShadow; }
    virtual void SetBorderShadow(TColor Value);
    TColor FlatColor() const { return FFlatColor; }
    virtual void SetFlatColor(TColor Value);
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    virtual void SetFlatColorAdjustment(int Value);
    TSkFrameController* FrameController() const { return FFrameController; }
    virtual void SetFrameController(TSkFrameController* Value);
    TSkFrameControllerNotifications FrameControllerNotifications() const {
        return FFrameControllerNotifications;
    }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications Value) {
        FFrameControllerNotifications = Value;
    }
    TSkGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    virtual void SetGradientColorStyle(TSkGradientColorStyle Value);
    TColor GradientColorStart() const { return FGradientColorStart; }
    virtual void SetGradientColorStart(TColor Value);
    TColor GradientColorStop() const { return FGradientColorStop; }
    virtual void SetGradientColorStop(TColor Value);
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    virtual void SetGradientDirection(TGradientDirection Value);
    TColor GridColor() const { return FGridColor; }
    virtual void SetGridColor(TColor Value);
    TSkPanelGridStyle GridStyle() const { return FGridStyle; }
    virtual void SetGridStyle(TSkPanelGridStyle Value);
    std::uint16_t GridXSize() const { return FGridXSize; }
    virtual void SetGridXSize(std::uint16_t Value);
    std::uint16_t GridYSize() const { return FGridYSize; }
    virtual void SetGridYSize(std::uint16_t Value);
    bool FillClientArea() const { return FFillClientArea; }
    virtual void SetFillClientArea(bool Value);
    bool ShowGrid() const { return FShowGrid; }
    virtual void SetShowGrid(bool Value);
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    int TextMargin() const { return FTextMargin; }
    virtual void SetTextMargin(int Value);
    int TextMarginVertical() const { return FTextMarginVertical; }
    virtual void SetTextMarginVertical(int Value);
    bool WordWrap() const { return FWordWrap; }
    virtual void SetWordWrap(bool Value);
    TSkVisualStyle VisualStyle() const { return FVisualStyle; }
    virtual void SetVisualStyle(TSkVisualStyle Value);
    bool ShowDockClientCaptions() const { return FShowDockClientCaptions; }
    void SetShowDockClientCaptions(bool Value);

    // The Enabled state ("1" or "0") of each child, the child as the line's object, taken when the
    // panel was last disabled. A child that is freed leaves the list.
    TStringList* ChildEnabledStates() { return &FChildEnabledStates; }

    // Shrinks Rect by the frames on the sides that carry them (and by BorderWidth when asked).
    virtual void AdjustRectForBorders(TRect& Rect, bool IncludeBorderWidth) const;
    // The whole control: (0, 0, Width, Height).
    virtual TRect GetControlRect() const;
    // How far inside the frames a resize repaints: (1, 1).
    virtual TPoint GetResizeStripSize() const;
    // The mouse position in client coordinates.
    virtual TPoint GetCursorPosition() const;
    // The gradient's colours: the custom pair, or the XP scheme's.
    virtual void GetGradientColors(TColor& StartColor, TColor& StopColor) const;
    // The flat frames' colour and its adjustment: the scheme's frame colour for a scheme gradient.
    virtual void GetFlatColors(TColor& Color, int& Adjustment) const;

    // Inside the frames, unless the panel is a dock site (then its dock manager keeps them clear).
    TRect GetClientRect() const override;
    // A panel aligned to the bottom (right) keeps its bottom (right) edge when its height (width)
    // changes.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CustomFramingChanged() override { UpdateFrameControllerProperties(FFrameController); }

protected:
    virtual void DrawCaption(TRect Rect);
    virtual void DrawGrid(const TRect& Rect);
    // The controller's frame style, sides and colours, when it shows frames.
    virtual void UpdateFrameControllerProperties(TSkFrameController* Controller);

    // Reads "FrameSides" and "ThemeAware" (dropped) and "UseGradients" (True: VisualStyle vsGradient).
    void DefineProperties(TFiler* Filer) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The panel's (BorderWidth, bevels), then for a dock site the frames too.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    TDockTree* CreateDockManager() override;
    void WMWindowPosChanged(TWMWindowPosChanged& Message) override;
    void WMEraseBkgnd(TWMPaint& Message) override;
    void WMThemeChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

    // Repaints after a change; frame changes also realign the children.
    void Changed(bool Realigning = false);

private:
    TAlignmentVertical FAlignmentVertical = avCenter;
    TFrameStyleEx FBorderInner = fsNone;
    TFrameStyleEx FBorderOuter = fsRaised;
    TSides FBorderSides = AllSides;
    TColor FBorderColor = clBtnFace;
    TColor FBorderHighlight = clBtnHighlight;
    TColor FBorderShadow = clBtnShadow;
    TColor FFlatColor = clBtnShadow;
    int FFlatColorAdjustment = 30;
    bool FFillClientArea = true;
    TSkVisualStyle FVisualStyle = vsWinXP;
    TSkGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FGradientColorStart = clWhite;
    TColor FGradientColorStop = clBtnFace;
    TGradientDirection FGradientDirection = gdHorizontalEnd;
    TColor FGridColor = clBtnShadow;
    TSkPanelGridStyle FGridStyle = pgsDots;
    std::uint16_t FGridXSize = 8, FGridYSize = 8;
    bool FShowGrid = false;
    bool FTransparent = false;
    int FTextMargin = 0, FTextMarginVertical = 0;
    bool FWordWrap = true;
    bool FShowDockClientCaptions = true;
    TStringList FChildEnabledStates;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FFrameControllerNotifications = AllFrameControllerNotifications;
};

// The dock manager of a styled panel: caption bars 14 pixels wide with the docked control's text in
// "Verdana" 8 and a close cross in "Marlett" 8, in the active caption colours while the control has
// the focus (or is no window control) and the inactive ones otherwise.
class TSkPanelDockManager : public TDockTree {
public:
    explicit TSkPanelDockManager(TSkCustomPanel* DockSite);
    ~TSkPanelDockManager() override;
    TFont* CaptionFont() { return &FCaptionFont; }
    TFont* GlyphFont() { return &FGlyphFont; }

protected:
    void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect) override;

private:
    // Clicks and commands in the site repaint it, so the caption colours follow the focus.
    void SiteWindowProc(TMessage& Message);
    TSkCustomPanel* FPanel;
    TFont FCaptionFont, FGlyphFont;
    TWndMethod FPreviousWndProc;
};

class TSkCustomGroupBox : public TSkCustomPanel {
    Q_OBJECT
public:
    // A flat group box, no frames, its caption at the top left; 105 high.
    explicit TSkCustomGroupBox(TComponent* AOwner);
    ~TSkCustomGroupBox() override;

    int BannerHeight() const { return FBannerHeight; }
    virtual void SetBannerHeight(int Value);
    TSkGroupBoxStyle GroupStyle() const { return FGroupStyle; }
    virtual void SetGroupStyle(TSkGroupBoxStyle Value);
    TFont* CaptionFont() { return &FCaptionFont; }
    virtual void SetCaptionFont(TFont* Value);
    Q_INVOKABLE bool IsCaptionFontStored() const { return FCaptionFontChanged; }
    // Whether the caption font was set apart from Font.
    bool CaptionFontChanged() const { return FCaptionFontChanged; }

    // After the framework's scaling, a caption font of its own is scaled too.
    void ChangeScale(int M, int D) override;

protected:
    // The banner's height in use: BannerHeight, at most the control's height.
    int EffectiveBannerHeight() const;
    // Room at the top for the caption (by style), and the frame's width on the sides.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    // Takes the controller's values only in the custom style.
    void UpdateFrameControllerProperties(TSkFrameController* Controller) override;
    // The caption's accelerator moves the focus to the first child.
    void CMDialogChar(TWMKey& Message) override;
    void CMFontChanged(TMessage& Message) override;
    // The custom style keeps room for a caption only while there is one.
    void CMTextChanged(TMessage& Message) override;

private:
    TRect CaptionRect(int TextWidth, int TextHeight) const;
    void PaintThemed(HTHEME Theme, const TRect& CaptionArea, int FontHeight);
    void PaintClassicFrame(TRect CaptionArea, int FontHeight);
    void FillInsideFrame(const TRect& Frame);
    void PaintClassicCaption(TRect CaptionArea);
    int FBannerHeight = 0;
    TSkGroupBoxStyle FGroupStyle = gsFlat;
    TFont FCaptionFont;
    bool FCaptionFontChanged = false;
    bool FCopyingFont = false;
    TScaleMemory FCaptionFontScale;
};

// The group box as forms store it.
class TSkGroupBox : public TSkCustomGroupBox {
    Q_OBJECT
    Q_PROPERTY(TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(int BannerHeight READ BannerHeight WRITE SetBannerHeight)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TFrameStyleEx BorderInner READ BorderInner WRITE SetBorderInner)
    Q_PROPERTY(TFrameStyleEx BorderOuter READ BorderOuter WRITE SetBorderOuter)
    Q_PROPERTY(TSides BorderSides READ BorderSides WRITE SetBorderSides)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(TFont* CaptionFont READ CaptionFont WRITE SetCaptionFont)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool DockSite READ DockSite WRITE SetDockSite)
    Q_PROPERTY(TColor FlatColor READ FlatColor WRITE SetFlatColor)
    Q_PROPERTY(int FlatColorAdjustment READ FlatColorAdjustment WRITE SetFlatColorAdjustment)
    Q_PROPERTY(TSkFrameController* FrameController READ FrameController WRITE SetFrameController)
    Q_PROPERTY(TSkFrameControllerNotifications FrameControllerNotifications READ FrameControllerNotifications
                   WRITE SetFrameControllerNotifications)
    Q_PROPERTY(TSkGradientColorStyle GradientColorStyle READ GradientColorStyle WRITE SetGradientColorStyle)
    Q_PROPERTY(TColor GradientColorStart READ GradientColorStart WRITE SetGradientColorStart)
    Q_PROPERTY(TColor GradientColorStop READ GradientColorStop WRITE SetGradientColorStop)
    Q_PROPERTY(TGradientDirection GradientDirection READ GradientDirection WRITE SetGradientDirection)
    Q_PROPERTY(TSkGroupBoxStyle GroupStyle READ GroupStyle WRITE SetGroupStyle)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ShowDockClientCaptions READ ShowDockClientCaptions WRITE SetShowDockClientCaptions)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool UseDockManager READ UseDockManager WRITE SetUseDockManager)
    Q_PROPERTY(TSkVisualStyle VisualStyle READ VisualStyle WRITE SetVisualStyle)
    Q_CLASSINFO("Alignment", "= taLeftJustify")
    Q_CLASSINFO("BannerHeight", "= 0")
    Q_CLASSINFO("BevelWidth", "= 1")
    Q_CLASSINFO("BorderColor", "TColor = clBtnFace")
    Q_CLASSINFO("BorderInner", "= fsNone")
    Q_CLASSINFO("BorderOuter", "= fsNone")
    Q_CLASSINFO("BorderSides", "TSides = [sdLeft, sdTop, sdRight, sdBottom]")
    Q_CLASSINFO("BorderWidth", "= 0")
    Q_CLASSINFO("Color", "TColor")
    Q_CLASSINFO("DockSite", "= False")
    Q_CLASSINFO("FlatColor", "TColor = clBtnShadow")
    Q_CLASSINFO("FlatColorAdjustment", "= 30")
    Q_CLASSINFO("FrameControllerNotifications", "TSkFrameControllerNotifications = 65535")  // all
    Q_CLASSINFO("GradientColorStyle", "= gcsSystem")
    Q_CLASSINFO("GradientColorStart", "TColor = clWhite")
    Q_CLASSINFO("GradientColorStop", "TColor = clBtnFace")
    Q_CLASSINFO("GradientDirection", "= gdHorizontalEnd")
    Q_CLASSINFO("GroupStyle", "= gsFlat")
    Q_CLASSINFO("Height", "= 105")
    Q_CLASSINFO("ParentColor", "= False")
    Q_CLASSINFO("ShowDockClientCaptions", "= True")
    Q_CLASSINFO("Transparent", "= False")
    Q_CLASSINFO("UseDockManager", "= True")
    Q_CLASSINFO("VisualStyle", "= vsWinXP")
public:
    using TSkCustomGroupBox::TSkCustomGroupBox;
};
