#include "DockTree.h"

#include "FocusWithin.h"
#include "Forms.h"
#include "FrameControls.h"

#include <QPointer>
#include <algorithm>

TDockTree::TDockTree(TWinControl* DockSite) : FDockSite(DockSite) {
    FOldWndProc = FDockSite->WindowProc();
    FDockSite->SetWindowProc([this](TMessage& Message) { WindowProc(Message); });
}

TDockTree::~TDockTree() {
    FDockSite->SetWindowProc(FOldWndProc);
}

void TDockTree::InsertControl(TControl* Control, TAlign, TControl*) {
    if (!Control) return;
    Control->SetParent(FDockSite);
    Control->FAlign = alNone;
    if (std::find(FClients.begin(), FClients.end(), Control) == FClients.end()) FClients.push_back(Control);
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* Control) {
    const auto found = std::find(FClients.begin(), FClients.end(), Control);
    if (found == FClients.end()) return;
    FClients.erase(found);
    if (FPressedClose == Control) FPressedClose = nullptr;
    ResetBounds(true);
}

bool TDockTree::Horizontal() const {
    return FDockSite->Align() == alTop || FDockSite->Align() == alBottom;
}

bool TDockTree::HasFocus(const TControl* Control) {
    return FocusWithin(Control);
}

void TDockTree::ResetBounds(bool) {
    TRect area = FDockSite->GetClientRect();
    FDockSite->AdjustClientRect(area);
    std::vector<TControl*> shown;
    for (TControl* client : FClients)
        if (client->Visible()) shown.push_back(client);
    FZones.assign(FClients.size(), TRect{});
    const int count = int(shown.size());
    const int extent = Horizontal() ? area.Width() : area.Height();
    for (int i = 0; i < count; ++i) {
        const int from = extent * i / count, to = extent * (i + 1) / count;
        const TRect zone = Horizontal() ? Rect(area.Left + from, area.Top, area.Left + to, area.Bottom)
                                        : Rect(area.Left, area.Top + from, area.Right, area.Top + to);
        FZones[std::find(FClients.begin(), FClients.end(), shown[i]) - FClients.begin()] = zone;
        TRect r = zone;
        AdjustDockRect(shown[i], r);
        shown[i]->ApplyBounds(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    }
    FDockSite->Invalidate();
}

TRect TDockTree::ZoneRect(const TControl* Control) const {
    for (std::size_t i = 0; i < FClients.size() && i < FZones.size(); ++i)
        if (FClients[i] == Control) return FZones[i];
    return TRect{};
}

TRect TDockTree::CloseButtonRect(const TRect& Zone) const {
    if (Horizontal())
        return Rect(Zone.Left + 1, Zone.Top + 1, Zone.Left + FGrabberSize - 1, Zone.Top + FGrabberSize - 1);
    return Rect(Zone.Right - FGrabberSize + 1, Zone.Top + 1, Zone.Right - 1, Zone.Top + FGrabberSize - 1);
}

void TDockTree::AdjustDockRect(TControl*, TRect& ARect) {
    if (Horizontal())
        ARect.Left += FGrabberSize;
    else
        ARect.Top += FGrabberSize;
}

void TDockTree::PaintSite(HDC DC) {
    TCanvas canvas;
    canvas.BeginPaint(DC);
    for (std::size_t i = 0; i < FClients.size() && i < FZones.size(); ++i)
        if (FClients[i]->Visible() && !FZones[i].IsEmpty()) PaintDockFrame(&canvas, FClients[i], FZones[i]);
    canvas.EndPaint();
}

void TDockTree::PaintDockFrame(TCanvas* Canvas, TControl*, const TRect& ARect) {
    HDC dc = Canvas->Handle();
    if (!dc) return;
    auto grip = [&](TRect r) { DrawEdge(dc, r, BDR_RAISEDINNER, BF_RECT); };
    const TRect& a = ARect;
    if (Horizontal()) {
        grip(Rect(a.Left + 3, a.Top + FGrabberSize + 1, a.Left + 6, a.Bottom - 2));
        grip(Rect(a.Left + 6, a.Top + FGrabberSize + 1, a.Left + 9, a.Bottom - 2));
    } else {
        grip(Rect(a.Left + 2, a.Top + 3, a.Right - FGrabberSize - 2, a.Top + 6));
        grip(Rect(a.Left + 2, a.Top + 6, a.Right - FGrabberSize - 2, a.Top + 9));
    }
    TRect close = CloseButtonRect(ARect);
    DrawFrameControl(dc, close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

TControl* TDockTree::ClientAtCloseButton(int X, int Y) const {
    for (std::size_t i = 0; i < FClients.size() && i < FZones.size(); ++i)
        if (FClients[i]->Visible() && !FZones[i].IsEmpty() && CloseButtonRect(FZones[i]).Contains({X, Y}))
            return FClients[i];
    return nullptr;
}

void TDockTree::WindowProc(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONUP) {
        const TWMMouse mouse(Message);
        TControl* client = ClientAtCloseButton(mouse.XPos, mouse.YPos);
        if (Message.Msg == WM_LBUTTONDOWN) {
            FPressedClose = client;
            if (client) return;
        } else if (FPressedClose) {
            const bool close = client == FPressedClose;
            FPressedClose = nullptr;
            if (close) {
                QPointer<TWinControl> site(FDockSite);
                if (auto* form = dynamic_cast<TForm*>(client))
                    form->Close();
                else
                    client->Hide();
                if (site) site->Realign();
            }
            return;
        }
    }
    FOldWndProc(Message);
}
