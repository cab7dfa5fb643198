// Building a window's components in code: each control gets its owner, name, parent and bounds at once.
#pragma once

#include "StdCtrls.h"

template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const QString& name, int left, int top, int width,
               int height) {
    auto* c = new T(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

// A label that sizes itself to its caption.
inline TLabel* MakeCaptionLabel(TComponent* owner, TWinControl* parent, const QString& name, const QString& caption,
                                int left, int top) {
    auto* l = MakeControl<TLabel>(owner, parent, name, left, top, 0, 0);
    l->SetCaption(caption);
    return l;
}
