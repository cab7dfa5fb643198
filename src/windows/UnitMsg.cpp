#include "UnitMsg.h"

#include "IniFiles.h"
#include "UintDM.h"
#include "UnitMain.h"
#include "WindowBuilder.h"

TMsgFrm::TMsgFrm(TComponent* AOwner) : TSkinnedSmallForm(AOwner, "MsgFrm", "信息提示", 440, 330, false) {
    PlaceAtPopupOrigin(this);
    lblTit->SetCaption("");

    pnl1 = new TPanel(this);
    pnl1->SetName("pnl1");
    pnl1->SetParent(this);
    pnl1->SetHeight(30);
    pnl1->SetAlign(alBottom);
    pnl1->SetBevelOuter(bvNone);
    pnl1->SetVisible(false);
    chckbx1 = new TSkCheckBox(this);
    chckbx1->SetName("chckbx1");
    chckbx1->SetParent(pnl1);
    chckbx1->SetBounds(12, 6, 240, 20);
    chckbx1->SetCaption("我知道了，不要再提示");
    chckbx1->SetTransparent(true);  // on the panel's grey, not on a box of the field's white
    chckbx1->SetVisible(false);
    chckbx1->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        chckbx1MouseUp(s, b, sh, x, y);
    };
    // Space ticks the box as a click does, and does what the click does (the state is not consulted).
    chckbx1->OnKeyUp = [this](TObject* s, unsigned short& key, TShiftState sh) {
        if (key == VK_SPACE) chckbx1MouseUp(s, mbLeft, sh, 0, 0);
    };

    edtMsg = new TSkRichEdit(this);
    edtMsg->SetName("edtMsg");
    edtMsg->SetParent(this);
    edtMsg->SetAlign(alClient);
    ShowTextOnly(edtMsg);
    edtMsg->SetScrollBars(ssVertical);

    // Almost transparent at first; the timer fades the window in.
    SetAlphaBlend(true);
    SetAlphaBlendValue(5);
    Timer1 = new TTimer(this);
    Timer1->SetName("Timer1");
    Timer1->SetInterval(10);
    Timer1->OnTimer = [this](TObject* s) { Timer1Timer(s); };
}

void TMsgFrm::Timer1Timer(TObject*) {
    // 25 more every 100 ms, from the timer rather than a sleeping loop, so the program stays alive.
    Timer1->SetInterval(100);
    if (AlphaBlendValue() < 255) SetAlphaBlendValue(AlphaBlendValue() + 25);
    if (AlphaBlendValue() >= 255) Timer1->SetEnabled(false);
}

void TMsgFrm::chckbx1MouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    TIniFile(ProgramFolder() + SettingsFileName).WriteInteger("UINFO", "RunCon", 1);
}
