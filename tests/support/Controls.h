#pragma once

// Building control trees in tests.

#include "platform/framework/Control.h"

// A control of class T owned by owner, placed on parent at the given bounds.
template <class T>
T* Make(TComponent* owner, TWinControl* parent, int l, int t, int w, int h, TAlign align = alNone)
{
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    c->SetAlign(align);
    return c;
}
