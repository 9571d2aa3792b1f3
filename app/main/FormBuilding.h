#pragma once
#include <string>

#include "platform/core/Component.h"
#include "platform/ui/controls/Controls.h"

// Forms are built in code as a stored form loads: each component is created
// in stored order, marked as loading, named and parented, and gets its
// properties; the form's AfterConstruction then runs Loaded for all of them.
template <class T>
T* MakeComponent(TComponent* AOwner, const std::string& AName)
{
    T* c = new T(AOwner);
    c->Loading();
    c->SetName(AName);
    return c;
}

template <class T>
T* MakeControl(TComponent* AOwner, TWinControl* AParent, const std::string& AName, int ALeft, int ATop, int AWidth,
               int AHeight)
{
    T* c = MakeComponent<T>(AOwner, AName);
    c->SetParent(AParent);
    c->SetBounds(ALeft, ATop, AWidth, AHeight);
    return c;
}
