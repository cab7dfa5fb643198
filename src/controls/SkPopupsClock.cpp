#include "SkPopupsClock.h"

#include "Forms.h"
#include "HintWindow.h"
#include "PopupLoop.h"
#include "SkPopups.h"

#include <QPointer>
#include <cfenv>
#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
const std::array<TColor, 5> DefaultFaceColors = {clBtnFace, clWindowText, clWindowText, clBtnShadow,
                                                 clWindowText};
}  // namespace

const std::array<TColor, 5>& DefaultClockFaceColors() {
    return DefaultFaceColors;
}

namespace {

int RoundToInt(double V) {
    return int(std::lround(V));
}

// A point at angle A (clockwise from the positive x axis) and radius R from C.
TPoint OnCircle(const TPoint& C, double A, double R) {
    return {C.X + RoundToInt(R * std::cos(A)), C.Y + RoundToInt(R * std::sin(A))};
}

// The screen angle of (dx, dy) in [0, 2π).
double AngleOf(int dx, int dy) {
    double a = std::atan(double(dy) / dx);
    if (dx > 0 && dy < 0) a += 2 * Pi;
    if (dx < 0) a += Pi;
    return a;
}

// The character after '&' in a caption (null when there is none).
QChar Accelerator(const QString& Caption) {
    for (int i = 0; i + 1 < Caption.size(); ++i)
        if (Caption[i] == QLatin1Char('&')) {
            if (Caption[i + 1] != QLatin1Char('&')) return Caption[i + 1].toUpper();
            ++i;
        }
    return {};
}
}  // namespace

QString FormatTimeOfDay(const QString& Format, int Hour, int Minute, int Second) {
    const QString f = Format.toLower();
    const bool twelve = f.contains(QLatin1String("ampm")) || f.contains(QLatin1String("am/pm")) ||
                        f.contains(QLatin1String("a/p"));
    QString out;
    bool afterHour = false;
    for (int i = 0; i < Format.size();) {
        const QString rest = f.mid(i);
        auto two = [&](QChar c) { return rest.size() > 1 && rest[0] == c && rest[1] == c; };
        if (Format[i] == QLatin1Char('"') || Format[i] == QLatin1Char('\'')) {
            const int end = Format.indexOf(Format[i], i + 1);
            out += Format.mid(i + 1, (end < 0 ? Format.size() : end) - i - 1);
            i = end < 0 ? Format.size() : end + 1;
        } else if (rest.startsWith(QLatin1String("ampm"))) {
            out += Hour < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 4;
        } else if (rest.startsWith(QLatin1String("am/pm"))) {
            const bool upper = Format[i].isUpper();
            out += Hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
            i += 5;
        } else if (rest.startsWith(QLatin1String("a/p"))) {
            const bool upper = Format[i].isUpper();
            out += Hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
            i += 3;
        } else if (rest[0] == QLatin1Char('h')) {
            int h = Hour;
            if (twelve) h = h % 12 == 0 ? 12 : h % 12;
            out += two(QLatin1Char('h')) ? QString::asprintf("%02d", h) : QString::number(h);
            i += two(QLatin1Char('h')) ? 2 : 1;
            afterHour = true;
            continue;
        } else if (rest[0] == QLatin1Char('n') || (rest[0] == QLatin1Char('m') && afterHour)) {
            const bool pair = two(rest[0]);
            out += pair ? QString::asprintf("%02d", Minute) : QString::number(Minute);
            i += pair ? 2 : 1;
        } else if (rest[0] == QLatin1Char('s')) {
            const bool pair = two(QLatin1Char('s'));
            out += pair ? QString::asprintf("%02d", Second) : QString::number(Second);
            i += pair ? 2 : 1;
        } else {
            out += Format[i];
            ++i;
            continue;
        }
        afterHour = false;
    }
    return out;
}

// TSkTimePicker -------------------------------------------------------------------------------------

TSkTimePicker::TSkTimePicker(TComponent* AOwner)
    : TSkPopupContent(AOwner), FFaceColors(this, DefaultFaceColors) {
    SetBounds(Left(), Top(), 160, 190);
}

TSkTimePicker::~TSkTimePicker() = default;

QString TSkTimePicker::ShownCaption(const QString& Caption, const char* Default) const {
    return Caption.isEmpty() ? QString::fromLatin1(Default) : Caption;
}

TSize TSkTimePicker::PreferredSize() const {
    const int dw = DigitWidth(), dh = DigitHeight();
    const int s = FCaptionSet.isEmpty() ? 12 * dw : (int(FCaptionSet.size()) + 2) * 2 * dw;
    return {std::max(13 * (dw + 6), s + 12 * dw), 10 * dh + 4 * (dh + 2)};
}

// Properties ----------------------------------------------------------------------------------------

void TSkTimePicker::SetTime(double Value) {
    double day = 0;
    const double fraction = std::fabs(std::modf(Value, &day));
    const int minutes = int(std::floor(fraction * 1440 + 1e-6)) % 1440;
    if (minutes == FMinutes && FTime == minutes / 1440.0) return;
    FMinutes = minutes;
    FTime = minutes / 1440.0;
    FIsPM = Hour() >= 12;
    // Marked for repainting first, so a failing OnChange still leaves the new time shown.
    Invalidate();
    Change();
}

void TSkTimePicker::SetFormat(const QString& Value) {
    if (StoreChanged(FFormat, Value)) Invalidate();
}

void TSkTimePicker::SetCaptionAM(const QString& Value) {
    if (StoreChanged(FCaptionAM, Value)) UpdateMetrics();
}

void TSkTimePicker::SetCaptionPM(const QString& Value) {
    if (StoreChanged(FCaptionPM, Value)) UpdateMetrics();
}

void TSkTimePicker::SetCaptionSet(const QString& Value) {
    if (StoreChanged(FCaptionSet, Value)) UpdateMetrics();
}

void TSkTimePicker::SetButtonColor(TColor Value) {
    if (StoreChanged(FButtonColor, Value)) Invalidate();
}

void TSkTimePicker::SetButtonFontColor(TColor Value) {
    if (StoreChanged(FButtonFontColor, Value)) Invalidate();
}

void TSkTimePicker::SetRestrictMinutesBy(int Value) {
    FRestrictMinutesBy = std::clamp(Value, 1, 60);
}

QString TSkTimePicker::HowToUseText() const {
    if (!FHowToUseMsg.isEmpty()) return FHowToUseMsg;
    return QStringLiteral(
               "Left-click to set Hour\rRight-click to set Minute\r    Ctrl key restricts to %1 minutes")
        .arg(FRestrictMinutesBy);
}

void TSkTimePicker::SetShowSetButton(bool Value) {
    if (StoreChanged(FShowSetButton, Value)) Invalidate();
}

void TSkTimePicker::SetShowTime(bool Value) {
    if (StoreChanged(FShowTime, Value)) Invalidate();
}

void TSkTimePicker::Change() {
    if (OnChange) OnChange(this);
}

// Setting the time ----------------------------------------------------------------------------------

void TSkTimePicker::SetHourFromFace(int H) {
    if (FIsPM && H < 12) H += 12;
    if (!FIsPM && H == 12) H = 0;
    SetTime((H * 60 + Minute()) / 1440.0);
}

void TSkTimePicker::SetMinute(int M) {
    SetTime((Hour() * 60 + M) / 1440.0);
}

void TSkTimePicker::StepMinutes(int Delta) {
    SetTime(((FMinutes + Delta) % 1440 + 1440) % 1440 / 1440.0);
}

void TSkTimePicker::SwitchHalf(bool PM) {
    if (PM == FIsPM) return;
    FIsPM = PM;
    SetTime((FMinutes + (PM ? 720 : -720)) / 1440.0);
}

void TSkTimePicker::SetAction() {
    FireEvent(OnSetBtnClick, this);
}

QString TSkTimePicker::TimeText() const {
    return FormatTimeOfDay(FFormat.isEmpty() ? QStringLiteral("h:mm ampm") : FFormat, Hour(), Minute());
}

// Layout --------------------------------------------------------------------------------------------

TRect TSkTimePicker::TimeBandRect() const {
    if (!FShowTime) return {};
    TRect r = GetControlRect();
    AdjustRectForBorders(r, false);
    return {r.Left, r.Top, r.Right, DigitHeight() + 4};
}

TRect TSkTimePicker::AMRect() const {
    auto* self = const_cast<TSkTimePicker*>(this);
    self->Canvas()->Font()->Assign(*self->Font());
    const int w = self->Canvas()->TextWidth(ShownCaption(FCaptionAM, "AM")) + 14;
    return {5, ButtonRowTop(), 5 + w, Height() - 5};
}

TRect TSkTimePicker::PMRect() const {
    const TRect am = AMRect();
    auto* self = const_cast<TSkTimePicker*>(this);
    const int w = self->Canvas()->TextWidth(ShownCaption(FCaptionPM, "PM")) + 14;
    return {am.Right + 5, am.Top, am.Right + 5 + w, am.Bottom};
}

TRect TSkTimePicker::SetButtonRect() const {
    const TRect pm = PMRect();
    return {pm.Right + (Width() - 5 - pm.Right) / 3, pm.Top, Width() - 5, pm.Bottom};
}

TPoint TSkTimePicker::FaceCentre() const {
    const int bandBottom = TimeBandRect().Bottom;
    const int a = ButtonRowTop() - 5 - bandBottom - 5;
    return {(Width() - 10) / 2 + 5, bandBottom + 3 + a / 2};
}

int TSkTimePicker::FaceRadius() const {
    const int a = ButtonRowTop() - 5 - TimeBandRect().Bottom - 5;
    return std::min((Width() - 10) / 2, a / 2);
}

bool TSkTimePicker::InFace(const TPoint& P) const {
    const TPoint c = FaceCentre();
    const int r = FaceRadius();
    const int dx = P.X - c.X, dy = P.Y - c.Y;
    return dx * dx + dy * dy <= r * r;
}

int TSkTimePicker::HourAt(const TPoint& P) const {
    const TPoint c = FaceCentre();
    const int dx = P.X - c.X, dy = P.Y - c.Y;
    if (dx == 0) return dy < 1 ? 12 : 6;
    // Degrees clockwise from the top; each hour owns the 30° around its position.
    const double fromTop = std::fmod(AngleOf(dx, dy) * 180 / Pi + 90, 360);
    const int hour = int(std::floor((fromTop + 15) / 30)) % 12;
    return hour == 0 ? 12 : hour;
}

int TSkTimePicker::MinuteAt(const TPoint& P, bool Restricted) const {
    const TPoint c = FaceCentre();
    const int dx = P.X - c.X, dy = P.Y - c.Y;
    int m;
    if (dx == 0) {
        m = dy < 1 ? 0 : 30;
    } else {
        double theta = AngleOf(dx, dy) + Pi / 2;
        if (theta > 2 * Pi) theta -= 2 * Pi;
        m = int(std::floor((theta * 180 / Pi + 3) / 6)) % 60;
    }
    if (Restricted) {
        const int by = FRestrictMinutesBy;
        // Rounds halves to even, as the platform's rounding does.
        const int saved = std::fegetround();
        std::fesetround(FE_TONEAREST);
        m = by * int(std::nearbyint(m / 60.0 * (60 / by)));
        std::fesetround(saved);
        if (m >= 60) m = 0;
    }
    return m;
}

// Painting ------------------------------------------------------------------------------------------

void TSkTimePicker::Paint() {
    PaintBackground();
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(*Font());
    if (FShowTime) {
        PaintBand(TimeBandRect(), FButtonColor);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(FButtonFontColor);
        DrawStringCentered(canvas, TimeText(), TimeBandRect());
        canvas->Brush()->SetStyle(bsSolid);
    }
    DrawClockFace();
    canvas->Font()->Assign(*Font());
    const TRect am = AMRect(), pm = PMRect();
    canvas->Pen()->SetColor(FlatColor());
    canvas->MoveTo(5, am.Top - 5);
    canvas->LineTo(Width() - 5, am.Top - 5);
    auto radio = [&](const TRect& r, bool checked, const QString& caption) {
        const int top = r.Top + (r.Bottom - r.Top - 13) / 2;
        DrawRadioButtonImage(canvas, {r.Left, top, r.Left + 13, top + 13}, checked, 1, false, htsInterior,
                             FlatColor(), clWindowText, Color(), Color(), clBtnFace, FlatColor(), FlatColor(),
                             Color(), false, Color(), false, false, Color());
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(Font()->Color());
        DrawStringCentered(canvas, caption, {r.Left + 14, r.Top, r.Right, r.Bottom});
        canvas->Brush()->SetStyle(bsSolid);
    };
    radio(am, !FIsPM, ShownCaption(FCaptionAM, "AM"));
    radio(pm, FIsPM, ShownCaption(FCaptionPM, "PM"));
    if (FShowSetButton)
        DrawPopupButton(canvas, SetButtonRect(), ShownCaption(FCaptionSet, "Set"), FButtonColor,
                        FButtonFontColor, false, FSetDown && FLeftDown, ThemeAware());
}

void TSkTimePicker::DrawClockFace() {
    TCanvas* canvas = Canvas();
    const TPoint c = FaceCentre();
    const int r = FaceRadius();
    if (r <= 0) return;
    const TColor face = FFaceColors.GetColor(cfFace);
    canvas->Pen()->SetColor(Focused() ? DarkerColor(face, 40) : face);
    canvas->Brush()->SetColor(face);
    canvas->Ellipse(c.X - r, c.Y - r, c.X + r, c.Y + r);

    canvas->Font()->SetHeight(-RoundToInt(0.2 * r));
    canvas->Font()->SetStyle(0);
    canvas->Font()->SetColor(FFaceColors.GetColor(cfNumbers));
    canvas->Brush()->SetStyle(bsClear);
    const int raise = canvas->TextHeight(QStringLiteral("0")) / 2;
    for (int n = 1; n <= 12; ++n) {
        const TPoint p = OnCircle(c, n * Pi / 6 - Pi / 2, RoundToInt(0.75 * r));
        const QString text = QString::number(n);
        canvas->TextOut(p.X - canvas->TextWidth(text) / 2, p.Y - raise, text);
    }
    canvas->Brush()->SetStyle(bsSolid);

    const int s = RoundToInt(0.02 * r);
    for (int m = 0; m < 60; ++m) {
        const TPoint p = OnCircle(c, m * Pi / 30 - Pi / 2, RoundToInt(0.92 * r));
        if (m % 5 == 0) {
            canvas->Brush()->SetColor(FFaceColors.GetColor(cfHourTicks));
            canvas->FillRect({p.X - s, p.Y - s, p.X + s + 1, p.Y + s + 1});
        } else {
            canvas->SetPixels(p.X, p.Y, FFaceColors.GetColor(cfMinuteTicks));
        }
    }

    const int w = RoundToInt(0.04 * r);
    auto hand = [&](double angle, double tip, double base) {
        const TPoint b = OnCircle(c, angle, RoundToInt(base * r));
        const TPoint side{RoundToInt(w * std::cos(angle + Pi / 2)), RoundToInt(w * std::sin(angle + Pi / 2))};
        canvas->Polygon({c,
                         {b.X - side.X, b.Y - side.Y},
                         OnCircle(c, angle, RoundToInt(tip * r)),
                         {b.X + side.X, b.Y + side.Y}});
    };
    const TColor hands = FFaceColors.GetColor(cfHands);
    canvas->Pen()->SetColor(hands);
    canvas->Brush()->SetColor(hands);
    hand(Minute() * Pi / 30 - Pi / 2, 0.8, 0.25);
    hand((Hour() % 12) * Pi / 6 + Minute() * Pi / 360 - Pi / 2, 0.5, 0.15);
}

// Mouse and keyboard --------------------------------------------------------------------------------

// Taking the focus runs the handlers of the control that loses it, and a new time runs OnChange:
// either may free the picker.
void TSkTimePicker::WMLButtonDown(TWMMouse& Message) {
    QPointer<QObject> alive(this);
    if (!PopupMode()) SetFocus();
    if (!alive) return;
    const TPoint p{Message.XPos, Message.YPos};
    FLeftDown = true;
    Invalidate();
    if (AMRect().Contains(p))
        FAMDown = true;
    else if (PMRect().Contains(p))
        FPMDown = true;
    else if (FShowSetButton && SetButtonRect().Contains(p))
        FSetDown = true;
    else if (InFace(p)) {
        FFaceDown = true;
        SetHourFromFace(HourAt(p));
        if (!alive) return;
    }
    TSkPopupContent::WMLButtonDown(Message);
}

void TSkTimePicker::WMRButtonDown(TWMMouse& Message) {
    QPointer<QObject> alive(this);
    if (!PopupMode()) SetFocus();
    if (!alive) return;
    const TPoint p{Message.XPos, Message.YPos};
    FRightDown = true;
    Invalidate();
    if (InFace(p)) {
        FFaceDown = true;
        FLastMinute = MinuteAt(p, FRestrictMinutes || (Message.Keys & MK_CONTROL));
        SetMinute(FLastMinute);
        if (!alive) return;
    }
    TSkPopupContent::WMRButtonDown(Message);
}

void TSkTimePicker::UpdateHowToUseHint(const TPoint& P) {
    if (!FShowHowToUseHint || (ComponentState() & csDesigning) || !ApplicationActive()) return;
    if (!InFace(P)) {
        HideHowToUseHint();
        return;
    }
    if (!FHintWindow) FHintWindow = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
    FHintWindow->SetColor(Application->HintColor());
    // The lines are kept apart by carriage returns; the hint window breaks at line feeds.
    const QString text = HowToUseText().replace(QLatin1Char('\r'), QLatin1Char('\n'));
    TRect r = FHintWindow->CalcHintRect(Screen->Width(), text, nullptr);
    const TPoint at = ClientToScreen({0, Height()});
    if (at != FHintPos || !FHintWindow->Visible()) {
        FHintPos = at;
        FHintWindow->ActivateHint({at.X, at.Y, at.X + r.Right - r.Left, at.Y + r.Bottom - r.Top}, text);
    }
    SetTimer(this, 1, 1000);
}

void TSkTimePicker::HideHowToUseHint() {
    KillTimer(this, 1);
    if (FHintWindow) FHintWindow->ReleaseHandle();
    FHintPos = {-1, -1};
}

void TSkTimePicker::WMTimer(TWMTimer& Message) {
    if (Message.TimerID != 1) return TSkPopupContent::WMTimer(Message);
    if (!InFace(ScreenToClient(Mouse->CursorPos()))) HideHowToUseHint();
}

void TSkTimePicker::WMMouseMove(TWMMouse& Message) {
    const TPoint p{Message.XPos, Message.YPos};
    UpdateHowToUseHint(p);
    QPointer<QObject> alive(this);
    if (FFaceDown && InFace(p)) {
        if ((Message.Keys & MK_LBUTTON) && FLeftDown) {
            SetHourFromFace(HourAt(p));
        } else if ((Message.Keys & MK_RBUTTON) && FRightDown) {
            const int m = MinuteAt(p, FRestrictMinutes || (Message.Keys & MK_CONTROL));
            // The hour moves along only where the hand crosses the top, the shorter way round from
            // the last minute: 55 to 0 is an hour on, 0 to 55 an hour back; 25 to 35 crosses the
            // bottom and keeps the hour.
            const int step = m < FLastMinute - 30 ? 60 : m > FLastMinute + 30 ? -60 : 0;
            FLastMinute = m;
            if (step != 0) StepMinutes(step);
            if (alive) SetMinute(m);
        }
        if (!alive) return;
    }
    TSkPopupContent::WMMouseMove(Message);
}

// Every release clears the presses and repaints before anything is told: OnChange, OnSetTime and the
// Set action's handler may free the picker.
void TSkTimePicker::WMLButtonUp(TWMMouse& Message) {
    const TPoint p{Message.XPos, Message.YPos};
    const bool am = FAMDown, pm = FPMDown, set = FSetDown, face = FFaceDown && FLeftDown;
    FLeftDown = FRightDown = FAMDown = FPMDown = FSetDown = FFaceDown = false;
    Invalidate();
    QPointer<QObject> alive(this);
    if (am && AMRect().Contains(p))
        SwitchHalf(false);
    else if (pm && PMRect().Contains(p))
        SwitchHalf(true);
    else if (set && SetButtonRect().Contains(p))
        SetAction();
    else if (face && InFace(p)) {
        SetHourFromFace(HourAt(p));
        if (alive) FireEvent(OnSetTime, this);
    }
    if (alive) TSkPopupContent::WMLButtonUp(Message);
}

void TSkTimePicker::WMRButtonUp(TWMMouse& Message) {
    const TPoint p{Message.XPos, Message.YPos};
    const bool face = FFaceDown && FRightDown;
    FLeftDown = FRightDown = FAMDown = FPMDown = FSetDown = FFaceDown = false;
    Invalidate();
    QPointer<QObject> alive(this);
    if (face && InFace(p)) {
        SetMinute(MinuteAt(p, FRestrictMinutes || (Message.Keys & MK_CONTROL)));
        if (alive) FireEvent(OnSetTime, this);
    }
    if (alive) TSkPopupContent::WMRButtonUp(Message);
}

void TSkTimePicker::WMKeyDown(TWMKey& Message) {
    switch (Message.CharCode) {
    case VK_PRIOR:
        StepMinutes(60);
        return;
    case VK_NEXT:
        StepMinutes(-60);
        return;
    case VK_UP:
        StepMinutes(1);
        return;
    case VK_DOWN:
        StepMinutes(-1);
        return;
    case VK_RETURN:
        if (FShowSetButton) SetAction();
        return;
    default:
        TSkPopupContent::WMKeyDown(Message);
    }
}

void TSkTimePicker::CMDialogChar(TWMKey& Message) {
    const QChar key = QChar(char16_t(Message.CharCode)).toUpper();
    if (Enabled() && !key.isNull()) {
        if (key == Accelerator(FCaptionAM)) {
            SwitchHalf(false);
            Message.Result = 1;
            return;
        }
        if (key == Accelerator(FCaptionPM)) {
            SwitchHalf(true);
            Message.Result = 1;
            return;
        }
        if (key == Accelerator(FCaptionSet)) {
            SetAction();
            Message.Result = 1;
            return;
        }
    }
    TSkPopupContent::CMDialogChar(Message);
}

void TSkTimePicker::CMMouseEnter(TMessage& Message) {
    UpdateHowToUseHint(ScreenToClient(Mouse->CursorPos()));
    TSkPopupContent::CMMouseEnter(Message);
}

void TSkTimePicker::CMMouseLeave(TMessage& Message) {
    HideHowToUseHint();
    TSkPopupContent::CMMouseLeave(Message);
}
