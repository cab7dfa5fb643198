// Window and control messages. The framework's controls receive them as protected virtual handlers
// named after them (WMLButtonDown, CMMouseEnter ...), fed from Qt's events in one place; a handler
// that calls its base lets the control and its widget go on as they would without it, one that
// does not consumes the event. Perform sends a message directly.
#pragma once

#include "Graphics.h"

#include <QChar>
#include <cstdint>

class TDeviceContext;
class TControl;
class TWinControl;

enum : unsigned {
    WM_SIZE = 0x0005,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A,
    WM_PAINT = 0x000F,
    WM_ERASEBKGND = 0x0014,
    WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021,
    WM_WINDOWPOSCHANGED = 0x0047,
    WM_CONTEXTMENU = 0x007B,
    WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084,
    WM_NCPAINT = 0x0085,
    WM_GETDLGCODE = 0x0087,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSCHAR = 0x0106,
    WM_COMMAND = 0x0111,
    WM_TIMER = 0x0113,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209,
    WM_MOUSEWHEEL = 0x020A,
    WM_PRINTCLIENT = 0x0318,
    WM_THEMECHANGED = 0x031A,
    WM_USER = 0x0400
};

// Button messages: a check box or radio button answers BM_GETCHECK with 0 (unchecked), 1 (checked) or
// 2 (grayed).
enum : unsigned { BM_GETCHECK = 0x00F0, BM_SETCHECK = 0x00F1 };

enum : unsigned {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0,
    CM_DEACTIVATE = CM_BASE + 1,
    CM_DIALOGKEY = CM_BASE + 5,
    CM_DIALOGCHAR = CM_BASE + 6,
    CM_FOCUSCHANGED = CM_BASE + 7,
    CM_PARENTFONTCHANGED = CM_BASE + 8,
    CM_PARENTCOLORCHANGED = CM_BASE + 9,
    CM_HITTEST = CM_BASE + 10,
    CM_VISIBLECHANGED = CM_BASE + 11,
    CM_ENABLEDCHANGED = CM_BASE + 12,
    CM_COLORCHANGED = CM_BASE + 13,
    CM_FONTCHANGED = CM_BASE + 14,
    CM_TEXTCHANGED = CM_BASE + 18,
    CM_MOUSEENTER = CM_BASE + 19,
    CM_MOUSELEAVE = CM_BASE + 20,
    CM_SHOWINGCHANGED = CM_BASE + 25,
    CM_ENTER = CM_BASE + 26,
    CM_EXIT = CM_BASE + 27,
    CM_DESIGNHITTEST = CM_BASE + 28,
    CM_SYSCOLORCHANGE = CM_BASE + 36,
    CM_HINTSHOW = CM_BASE + 48,
    CM_RECREATEWND = CM_BASE + 51
};

// Mouse key flags of mouse messages.
enum : unsigned { MK_LBUTTON = 0x1, MK_RBUTTON = 0x2, MK_SHIFT = 0x4, MK_CONTROL = 0x8, MK_MBUTTON = 0x10 };
// Hit-test codes of WM_NCHITTEST.
enum : int { HTERROR = -2, HTTRANSPARENT = -1, HTNOWHERE = 0, HTCLIENT = 1, HTBORDER = 18 };
// Dialog codes of WM_GETDLGCODE.
// A push button says so with DLGC_DEFPUSHBUTTON (it is the default one) or DLGC_UNDEFPUSHBUTTON.
enum : unsigned {
    DLGC_WANTARROWS = 0x1,
    DLGC_WANTTAB = 0x2,
    DLGC_WANTALLKEYS = 0x4,
    DLGC_DEFPUSHBUTTON = 0x10,
    DLGC_UNDEFPUSHBUTTON = 0x20,
    DLGC_WANTCHARS = 0x80,
    DLGC_BUTTON = 0x2000
};
enum : unsigned { PRF_CLIENT = 0x4, PRF_ERASEBKGND = 0x8 };

constexpr std::intptr_t MakeLParam(int low, int high) {
    return std::intptr_t(std::uint32_t((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr int LoWordSigned(std::intptr_t v) {
    return std::int16_t(v & 0xFFFF);
}
constexpr int HiWordSigned(std::intptr_t v) {
    return std::int16_t((v >> 16) & 0xFFFF);
}

struct TMessage {
    unsigned Msg = 0;
    std::intptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
    // Set by a control's DefaultHandler: the event the message came from goes on as usual.
    bool CallDefault = false;
};

// WM_xBUTTONxxx, WM_MOUSEMOVE: keys in WParam, client position in LParam.
struct TWMMouse : TMessage {
    explicit TWMMouse(const TMessage& m)
        : TMessage(m), Keys(unsigned(m.WParam)), XPos(LoWordSigned(m.LParam)), YPos(HiWordSigned(m.LParam)) {}
    unsigned Keys;
    int XPos, YPos;
};

// WM_KEYDOWN, WM_KEYUP: the virtual key; WM_CHAR, CM_DIALOGCHAR: the character; CM_DIALOGKEY: the key.
struct TWMKey : TMessage {
    explicit TWMKey(const TMessage& m) : TMessage(m), CharCode(unsigned(m.WParam)), KeyData(m.LParam) {}
    unsigned CharCode;
    std::intptr_t KeyData;  // bit 29: Alt was down
};

// WM_ERASEBKGND, WM_PAINT, WM_PRINTCLIENT, WM_NCPAINT: the device context in WParam.
struct TWMPaint : TMessage {
    explicit TWMPaint(const TMessage& m) : TMessage(m), DC(reinterpret_cast<TDeviceContext*>(m.WParam)) {}
    TDeviceContext* DC;
};

// WM_NCCALCSIZE: the window rectangle in LParam, which the handler shrinks to the client area.
struct TWMNCCalcSize : TMessage {
    explicit TWMNCCalcSize(const TMessage& m) : TMessage(m), CalcRect(reinterpret_cast<TRect*>(m.LParam)) {}
    TRect* CalcRect;
};

// WM_NCHITTEST, WM_CONTEXTMENU: a screen position.
struct TWMPosition : TMessage {
    explicit TWMPosition(const TMessage& m)
        : TMessage(m), XPos(LoWordSigned(m.LParam)), YPos(HiWordSigned(m.LParam)) {}
    int XPos, YPos;
};

// WM_SIZE: the new client size.
struct TWMSize : TMessage {
    explicit TWMSize(const TMessage& m)
        : TMessage(m), Width(LoWordSigned(m.LParam)), Height(HiWordSigned(m.LParam)) {}
    int Width, Height;
};

// WM_WINDOWPOSCHANGED: the new bounds, in the parent's client coordinates.
struct TWindowPos {
    int x = 0, y = 0, cx = 0, cy = 0;
};
struct TWMWindowPosChanged : TMessage {
    explicit TWMWindowPosChanged(const TMessage& m)
        : TMessage(m), WindowPos(reinterpret_cast<TWindowPos*>(m.LParam)) {}
    TWindowPos* WindowPos;
};

// WM_SETFOCUS, WM_KILLFOCUS: the other control; CM_FOCUSCHANGED: the control now focused.
struct TWMFocus : TMessage {
    explicit TWMFocus(const TMessage& m)
        : TMessage(m),
          Control(reinterpret_cast<TWinControl*>(m.Msg == CM_FOCUSCHANGED ? m.LParam : m.WParam)) {}
    TWinControl* Control;
};

// WM_TIMER: the timer's id.
struct TWMTimer : TMessage {
    explicit TWMTimer(const TMessage& m) : TMessage(m), TimerID(unsigned(m.WParam)) {}
    unsigned TimerID;
};

// Timers of a control: WM_TIMER with `id` every `interval` ms until KillTimer. Setting an id again
// restarts it with the new interval.
void SetTimer(TControl* control, unsigned id, int interval);
void KillTimer(TControl* control, unsigned id);

// A window region: only the region's pixels belong to the control (nullptr: all of them again).
// The control takes the region over.
void SetWindowRgn(TWinControl* control, class TRegion* region, bool redraw);

// The control's parent paints its background (WM_ERASEBKGND, then WM_PRINTCLIENT) into `dc`, as
// it lies under the control; the control's own position is the DC's origin. Nothing without a parent.
void PaintParentBackground(TControl* control, TDeviceContext* dc);

// Tells every control of every window that the system colours (CM_SYSCOLORCHANGE) or the visual
// style (WM_THEMECHANGED) changed.
void BroadcastToAllControls(unsigned msg);
