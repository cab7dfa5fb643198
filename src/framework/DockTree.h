// The dock manager of a dock site: the controls docked into the site share its area in a row (a site
// aligned to the top or bottom) or a column (any other), each under a caption bar of GrabberSize
// pixels on its left (a row) or top (a column), painted by PaintDockFrame with a close button that
// closes the docked control.
#pragma once

#include "Controls.h"
#include "DeviceContext.h"

#include <vector>

class TCanvas;

class TDockTree {
public:
    // Hooks into the site's window procedure, for clicks on the close buttons.
    explicit TDockTree(TWinControl* DockSite);
    virtual ~TDockTree();
    TDockTree(const TDockTree&) = delete;
    TDockTree& operator=(const TDockTree&) = delete;

    TWinControl* DockSite() const { return FDockSite; }
    int GrabberSize() const { return FGrabberSize; }

    // Docks the control into the site (it becomes the site's child) after the others; InsertAt and
    // DropCtl say where a drop landed and are not used: every client gets an equal share.
    void InsertControl(TControl* Control, TAlign InsertAt, TControl* DropCtl);
    // Forgets the control (it left the site or is being freed) and gives its share to the others.
    void RemoveControl(TControl* Control);
    int ClientCount() const { return int(FClients.size()); }
    TControl* Clients(int Index) const { return FClients.at(Index); }

    // Places the visible clients in the site's alignment area.
    void ResetBounds(bool Force);
    // The client's share of the site with its caption bar (empty when it is not a client).
    TRect ZoneRect(const TControl* Control) const;
    // The close button of a share.
    TRect CloseButtonRect(const TRect& Zone) const;
    // Paints the frame of every visible client.
    virtual void PaintSite(HDC DC);

protected:
    // Whether the site lays its clients out in a row (caption bars on the left).
    bool Horizontal() const;
    // Whether the keyboard focus lies in the control (on it or on a control inside it).
    static bool HasFocus(const TControl* Control);
    // Makes room for the caption bar in a client's share.
    virtual void AdjustDockRect(TControl* Control, TRect& ARect);
    // The classic frame: two raised grip bars along the caption bar and a close button at its end.
    virtual void PaintDockFrame(TCanvas* Canvas, TControl* Control, const TRect& ARect);
    // The site's messages pass here first: a click on a close button closes that client.
    virtual void WindowProc(TMessage& Message);

    TWinControl* FDockSite;
    int FGrabberSize = 12;
    TWndMethod FOldWndProc;

private:
    TControl* ClientAtCloseButton(int X, int Y) const;
    std::vector<TControl*> FClients;
    std::vector<TRect> FZones;  // by client, set by ResetBounds
    TControl* FPressedClose = nullptr;
};
